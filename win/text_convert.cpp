#include "win/text_convert.h"

#include "win/owners.h"

namespace {
std::wstring ToWide(UINT codePage, const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}
}  // namespace

std::string WideToAnsi(const wchar_t* text, int length) {
    if (!text) return {};
    if (length < 0) length = lstrlenW(text);
    if (length == 0) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring AnsiToWide(const std::string& text) { return ToWide(CP_ACP, text); }

std::string OemToAnsi(const std::string& text) {
    const std::wstring wide = ToWide(CP_OEMCP, text);
    return WideToAnsi(wide.c_str(), static_cast<int>(wide.size()));
}

bool SameTextNoCase(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

std::string SystemMessageText(DWORD error, DWORD language) {
    UniqueLocal buffer;
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, language, reinterpret_cast<char*>(&text), 0,
                                   nullptr);
    buffer.reset(text);
    return n ? std::string(text, n) : std::string();
}
