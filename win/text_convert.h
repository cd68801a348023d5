#pragma once
// Conversions between the ANSI code page, the console (OEM) code page and
// UTF-16, as the run's texts cross COM and the console.
#include <windows.h>
#include <optional>
#include <string>
#include <string_view>

#include "base/code_pages.h"
#include "base/lead_bytes.h"

// This machine's ANSI and console code pages (GetACP, GetOEMCP).
CodePages ThisMachineCodePages();

// Each conversion below without a code page works in this machine's; the
// ones that take code pages work in those given, another machine's perhaps.
// A code page this system does not have converts nothing (an empty text, or
// nothing for an exact conversion).

// The system's conversion, best-fit look-alikes and default characters included.
std::string WideToAnsi(const wchar_t* text, int length = -1);
std::string WideToAnsi(const wchar_t* text, int length, unsigned ansiCodePage);
std::wstring AnsiToWide(const std::string& text);
// For showing only (a log line): characters without an exact ANSI form become
// the code page's default character, never a best-fit look-alike.
std::string WideToAnsiShown(std::wstring_view text);
std::string WideToAnsiShown(std::wstring_view text, unsigned ansiCodePage);

// The lead bytes of the ANSI code page; none for a single-byte one (and for
// UTF-8, whose bytes from 0x80 up are never ASCII).
LeadBytes AnsiLeadBytes();
LeadBytes CodePageLeadBytes(unsigned codePage);

// Exact conversions: nothing when a character has no exact form in the target
// code page (no best-fit look-alike, no default character), or when the result
// does not convert back to the very same text.
std::optional<std::string> WideToAnsiExact(const wchar_t* text, int length);
std::optional<std::string> WideToAnsiExact(const wchar_t* text, int length, unsigned ansiCodePage);
std::optional<std::string> OemToAnsiExact(const std::string& text);
std::optional<std::string> OemToAnsiExact(const std::string& text, const CodePages& pages);
// UTF-8 into the ANSI code page; nothing for bytes that are not UTF-8 too.
std::optional<std::string> Utf8ToAnsiExact(const std::string& text, unsigned ansiCodePage);
// The ANSI text in UTF-16; nothing when a byte sequence is not a character of
// the ANSI code page.
std::optional<std::wstring> AnsiToWideExact(const std::string& text);
std::optional<std::wstring> AnsiToWideExact(const std::string& text, unsigned ansiCodePage);
// True when an ANSI text comes back byte for byte from the console code page
// (ANSI -> OEM -> ANSI), as a plan name must to be found in a listing.
bool SurvivesConsoleCodePage(const std::string& text);
bool SurvivesConsoleCodePage(const std::string& text, const CodePages& pages);

// lstrcmpiA equality: the comparison the program uses for keywords and names.
bool SameTextNoCase(const char* a, const char* b);
// The system's message text for an error number (FORMAT_MESSAGE_FROM_SYSTEM,
// user's default language unless told), line end included; empty when there is none.
std::string SystemMessageText(DWORD error, DWORD language = LANG_USER_DEFAULT);
