#include "relay/http_post.h"

#include <winhttp.h>

#include "win/owners.h"

namespace {
struct InternetTraits {
    using Type = HINTERNET;
    static Type Empty() { return nullptr; }
    static void Close(Type h) { WinHttpCloseHandle(h); }
};
using UniqueInternet = UniqueResource<InternetTraits>;

constexpr int kTimeoutMs = 5000;

HttpPostOutcome Failed(DWORD error) { return {error ? error : ERROR_WINHTTP_INTERNAL_ERROR, 0}; }
HttpPostOutcome LastFailure() { return Failed(GetLastError()); }
}  // namespace

HttpPostOutcome PostXml(const std::wstring& url, const std::string& body) {
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwSchemeLength = static_cast<DWORD>(-1);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (url.empty() || !WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return LastFailure();
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        return Failed(ERROR_WINHTTP_UNRECOGNIZED_SCHEME);
    if (!parts.lpszHostName || parts.dwHostNameLength == 0) return Failed(ERROR_WINHTTP_INVALID_URL);
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring object;
    if (parts.lpszUrlPath) object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (object.empty()) object = L"/";

    UniqueInternet session(WinHttpOpen(L"Relaynet/2.0", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                       WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) return LastFailure();
    if (!WinHttpSetTimeouts(session.get(), kTimeoutMs, kTimeoutMs, kTimeoutMs, kTimeoutMs)) return LastFailure();
    UniqueInternet connection(WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
    if (!connection) return LastFailure();
    const DWORD flags = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
    UniqueInternet request(WinHttpOpenRequest(connection.get(), L"POST", object.c_str(), nullptr, WINHTTP_NO_REFERER,
                                              WINHTTP_DEFAULT_ACCEPT_TYPES, flags));
    if (!request) return LastFailure();

    static const wchar_t kHeaders[] = L"Content-Type: text/xml; charset=utf-8\r\n";
    const DWORD length = static_cast<DWORD>(body.size());
    if (!WinHttpSendRequest(request.get(), kHeaders, static_cast<DWORD>(-1), const_cast<char*>(body.data()), length,
                            length, 0))
        return LastFailure();
    if (!WinHttpReceiveResponse(request.get(), nullptr)) return LastFailure();

    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
        return LastFailure();
    return {0, status};
}

std::wstring HttpErrorText(DWORD error) {
    const DWORD common = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS;
    wchar_t* text = nullptr;
    DWORD n = 0;
    if (HMODULE winhttp = GetModuleHandleW(L"winhttp.dll"))
        n = FormatMessageW(common | FORMAT_MESSAGE_FROM_HMODULE, winhttp, error, 0, reinterpret_cast<wchar_t*>(&text),
                           0, nullptr);
    if (n == 0)
        n = FormatMessageW(common | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0,
                           nullptr);
    UniqueLocal owner(text);
    if (n == 0) return L"WinHTTP error " + std::to_wstring(error);
    return std::wstring(text, n);
}
