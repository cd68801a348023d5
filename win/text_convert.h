#pragma once
// Conversions between the ANSI code page, the console (OEM) code page and
// UTF-16, as the run's texts cross COM and the console.
#include <windows.h>
#include <optional>
#include <string>
#include <string_view>

#include "base/lead_bytes.h"

std::string WideToAnsi(const wchar_t* text, int length = -1);
std::wstring AnsiToWide(const std::string& text);
// For showing only (a log line): characters without an exact ANSI form become
// the code page's default character, never a best-fit look-alike.
std::string WideToAnsiShown(std::wstring_view text);

// The lead bytes of the ANSI code page; none for a single-byte one (and for
// UTF-8, whose bytes from 0x80 up are never ASCII).
LeadBytes AnsiLeadBytes();

// Exact conversions: nothing when a character has no exact form in the target
// code page (no best-fit look-alike, no default character), or when the result
// does not convert back to the very same text.
std::optional<std::string> WideToAnsiExact(const wchar_t* text, int length);
std::optional<std::string> OemToAnsiExact(const std::string& text);
// The ANSI text in UTF-16; nothing when a byte sequence is not a character of
// the ANSI code page.
std::optional<std::wstring> AnsiToWideExact(const std::string& text);
// True when an ANSI text comes back byte for byte from the console code page
// (ANSI -> OEM -> ANSI), as a plan name must to be found in a listing.
bool SurvivesConsoleCodePage(const std::string& text);

// lstrcmpiA equality: the comparison the program uses for keywords and names.
bool SameTextNoCase(const char* a, const char* b);
// The system's message text for an error number (FORMAT_MESSAGE_FROM_SYSTEM,
// user's default language unless told), line end included; empty when there is none.
std::string SystemMessageText(DWORD error, DWORD language = LANG_USER_DEFAULT);
