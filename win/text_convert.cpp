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

// The code page's own number (for CP_ACP or CP_OEMCP given), so that UTF-8
// can be told apart.
UINT ActualCodePage(UINT codePage) {
    if (codePage == CP_ACP) return GetACP();
    if (codePage == CP_OEMCP) return GetOEMCP();
    return codePage;
}

std::optional<std::wstring> ToWideExact(UINT codePage, const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, &wide[0], n) != n) return std::nullopt;
    return wide;
}

std::optional<std::string> FromWideExact(UINT codePage, const wchar_t* text, int length) {
    if (length == 0) return std::string();
    const UINT page = ActualCodePage(codePage);
    // UTF-8 takes neither the flag nor the default-character report; the
    // round trip below still catches what it cannot hold (a lone surrogate).
    const bool utf8 = page == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* report = utf8 ? nullptr : &usedDefault;
    const int n = WideCharToMultiByte(page, flags, text, length, nullptr, 0, nullptr, report);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(page, flags, text, length, &out[0], n, nullptr, report) != n || usedDefault)
        return std::nullopt;
    const std::optional<std::wstring> back = ToWideExact(page, out);
    if (!back || back->compare(0, std::wstring::npos, text, static_cast<size_t>(length)) != 0) return std::nullopt;
    return out;
}
}  // namespace

CodePages ThisMachineCodePages() { return {GetACP(), GetOEMCP()}; }

std::string WideToAnsi(const wchar_t* text, int length) { return WideToAnsi(text, length, GetACP()); }

std::string WideToAnsi(const wchar_t* text, int length, unsigned ansiCodePage) {
    if (!text) return {};
    if (length < 0) length = lstrlenW(text);
    if (length == 0) return {};
    const int n = WideCharToMultiByte(ansiCodePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(ansiCodePage, 0, text, length, &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring AnsiToWide(const std::string& text) { return ToWide(CP_ACP, text); }

std::string WideToAnsiShown(std::wstring_view text) { return WideToAnsiShown(text, GetACP()); }

std::string WideToAnsiShown(std::wstring_view text, unsigned ansiCodePage) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const DWORD flags = ActualCodePage(ansiCodePage) == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int n = WideCharToMultiByte(ansiCodePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(ansiCodePage, flags, text.data(), length, &out[0], n, nullptr, nullptr);
    return out;
}

LeadBytes AnsiLeadBytes() { return CodePageLeadBytes(GetACP()); }

LeadBytes CodePageLeadBytes(unsigned codePage) {
    LeadBytes lead;
    CPINFO info{};
    if (!GetCPInfo(codePage, &info) || info.MaxCharSize != 2) return lead;
    // Pairs of first and last lead byte, ended by a pair of zeros.
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
        lead.Add(info.LeadByte[i], info.LeadByte[i + 1]);
    return lead;
}

std::optional<std::string> WideToAnsiExact(const wchar_t* text, int length) {
    return WideToAnsiExact(text, length, GetACP());
}

std::optional<std::string> WideToAnsiExact(const wchar_t* text, int length, unsigned ansiCodePage) {
    if (!text) return std::string();
    if (length < 0) length = lstrlenW(text);
    return FromWideExact(ansiCodePage, text, length);
}

std::optional<std::string> OemToAnsiExact(const std::string& text) {
    return OemToAnsiExact(text, ThisMachineCodePages());
}

std::optional<std::string> OemToAnsiExact(const std::string& text, const CodePages& pages) {
    const std::optional<std::wstring> wide = ToWideExact(pages.oem, text);
    if (!wide) return std::nullopt;
    return FromWideExact(pages.ansi, wide->c_str(), static_cast<int>(wide->size()));
}

std::optional<std::string> Utf8ToAnsiExact(const std::string& text, unsigned ansiCodePage) {
    const std::optional<std::wstring> wide = ToWideExact(CP_UTF8, text);
    if (!wide) return std::nullopt;
    return FromWideExact(ansiCodePage, wide->c_str(), static_cast<int>(wide->size()));
}

std::optional<std::wstring> AnsiToWideExact(const std::string& text) { return AnsiToWideExact(text, GetACP()); }

std::optional<std::wstring> AnsiToWideExact(const std::string& text, unsigned ansiCodePage) {
    return ToWideExact(ansiCodePage, text);
}

bool SurvivesConsoleCodePage(const std::string& text) { return SurvivesConsoleCodePage(text, ThisMachineCodePages()); }

bool SurvivesConsoleCodePage(const std::string& text, const CodePages& pages) {
    const std::optional<std::wstring> wide = ToWideExact(pages.ansi, text);
    if (!wide) return false;
    const std::optional<std::string> oem = FromWideExact(pages.oem, wide->c_str(), static_cast<int>(wide->size()));
    if (!oem) return false;
    const std::optional<std::string> back = OemToAnsiExact(*oem, pages);
    return back && *back == text;
}

bool SameTextNoCase(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

std::string SystemMessageText(DWORD error, DWORD language) {
    UniqueLocal buffer;
    char* text = nullptr;
    const DWORD n =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, language, reinterpret_cast<char*>(&text), 0, nullptr);
    buffer.reset(text);
    return n ? std::string(text, n) : std::string();
}
