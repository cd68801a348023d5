#pragma once
// Conversions between UTF-16, UTF-8 and the console (OEM) code page.
#include <string>

std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);
// What a console program writing to a pipe puts out for this UTF-8 text.
std::string Utf8ToOem(const std::string& text);
