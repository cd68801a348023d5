// Relaynet.dll: the relay that delivers a status record for the program.
// WebPostData posts argument 2 to the URL in argument 1 and answers through
// the three out values: result "1" for a 2xx answer and "0" for any other
// answer; on a transport failure the error value holds the error number and
// the error text the system's message for it. Arguments 3 to 7 are unused.
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "relay/http_post.h"

namespace {
void SetText(VARIANT* target, const std::wstring& text) {
    if (!target) return;
    VariantClear(target);
    BSTR value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!value) return;  // out of memory: the value stays empty
    target->vt = VT_BSTR;
    target->bstrVal = value;
}

std::wstring StringOf(const VARIANT& value) { return std::wstring(value.bstrVal, SysStringLen(value.bstrVal)); }

// The record goes over the wire as UTF-8, the encoding of an XML text
// without a declaration.
std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

void ReportFailure(DWORD error, VARIANT* result, VARIANT* errorValue, VARIANT* errorText) {
    SetText(result, L"0");
    SetText(errorValue, std::to_wstring(error));
    SetText(errorText, HttpErrorText(error));
}
}  // namespace

extern "C" void WINAPI WebPostData(VARIANT url, VARIANT record, VARIANT /*mode*/, VARIANT /*a4*/, VARIANT /*a5*/,
                                   VARIANT /*a6*/, VARIANT /*a7*/, VARIANT* result, VARIANT* error,
                                   VARIANT* errorText) {
    try {
        if (url.vt != VT_BSTR || record.vt != VT_BSTR) {
            ReportFailure(ERROR_INVALID_PARAMETER, result, error, errorText);
            return;
        }
        const HttpPostOutcome outcome = PostXml(StringOf(url), Utf8(StringOf(record)));
        if (outcome.error != 0) {
            ReportFailure(outcome.error, result, error, errorText);
            return;
        }
        SetText(result, outcome.statusCode >= 200 && outcome.statusCode < 300 ? L"1" : L"0");
    } catch (...) {
        // Nothing may escape into the caller; a failure here is a failed delivery.
        ReportFailure(ERROR_NOT_ENOUGH_MEMORY, result, error, errorText);
    }
}
