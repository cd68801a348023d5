#pragma once
// One HTTP or HTTPS POST through WinHTTP.
#include <windows.h>

#include <string>

struct HttpPostOutcome {
    DWORD error = 0;       // WinHTTP or system error number; 0 when an answer came
    DWORD statusCode = 0;  // the server's HTTP status when error is 0
};

// Posts `body` to `url` (http:// or https://) with content type text/xml.
// Name resolution, connecting, sending and receiving each give up after a few
// seconds. A URL without scheme or host is an error (ERROR_WINHTTP_INVALID_URL
// or ERROR_WINHTTP_UNRECOGNIZED_SCHEME), as is any transport failure.
HttpPostOutcome PostXml(const std::wstring& url, const std::string& body);

// The message text for an error from PostXml: winhttp.dll's message table,
// then the system's; a plain "WinHTTP error <n>" when neither knows it.
std::wstring HttpErrorText(DWORD error);
