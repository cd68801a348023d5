#pragma once
// Conversions between the ANSI code page, the console (OEM) code page and
// UTF-16, as the run's texts cross COM and the console.
#include <windows.h>
#include <string>

std::string WideToAnsi(const wchar_t* text, int length = -1);
std::wstring AnsiToWide(const std::string& text);
std::string OemToAnsi(const std::string& text);
// lstrcmpiA equality: the comparison the program uses for keywords and names.
bool SameTextNoCase(const char* a, const char* b);
// The system's message text for an error number (FORMAT_MESSAGE_FROM_SYSTEM,
// user's default language unless told), line end included; empty when there is none.
std::string SystemMessageText(DWORD error, DWORD language = LANG_USER_DEFAULT);
