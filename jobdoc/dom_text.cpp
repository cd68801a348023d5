#include "jobdoc/dom_text.h"

#include "win/owners.h"
#include "win/text_convert.h"

namespace {
std::string BstrToAnsi(BSTR text, unsigned ansiCodePage) {
    return text ? WideToAnsi(text, static_cast<int>(SysStringLen(text)), ansiCodePage) : std::string();
}
}  // namespace

HRESULT ReadBaseName(IXMLDOMNode* node, unsigned ansiCodePage, std::string& name) {
    UniqueBstr value;
    const HRESULT hr = node->get_baseName(value.put());
    name = SUCCEEDED(hr) ? BstrToAnsi(value.get(), ansiCodePage) : std::string();
    return hr;
}

HRESULT ReadNodeText(IXMLDOMNode* node, unsigned ansiCodePage, std::string& text) {
    UniqueBstr value;
    const HRESULT hr = node->get_text(value.put());
    text = SUCCEEDED(hr) ? BstrToAnsi(value.get(), ansiCodePage) : std::string();
    return hr;
}

HRESULT ReadTypedText(IXMLDOMNode* node, unsigned ansiCodePage, std::string& text, std::wstring* wide) {
    text.clear();
    if (wide) wide->clear();
    UniqueVariant value;
    HRESULT hr = node->get_nodeTypedValue(value.get());
    if (FAILED(hr)) return hr;
    const VARTYPE type = value.ref().vt;
    // An empty typed element has no value: it stands for the empty text.
    if (type == VT_EMPTY || type == VT_NULL) return S_OK;
    // A child with a declared data type (dt:dt) gives a number, date or
    // boolean; the record holds text, so it is converted with VariantChangeType.
    // A boolean would become "-1", so it is written as the "1" or "0" that the
    // plan options and POWERCFG understand.
    if (type == VT_BOOL) {
        text = value.ref().boolVal ? "1" : "0";
        return S_OK;
    }
    if (type != VT_BSTR) {
        hr = VariantChangeType(value.get(), value.get(), 0, VT_BSTR);
        if (FAILED(hr)) return hr;
    }
    const BSTR value16 = value.ref().bstrVal;
    text = BstrToAnsi(value16, ansiCodePage);
    if (wide && value16) wide->assign(value16, SysStringLen(value16));
    return S_OK;
}

std::string StatusMessage(HRESULT status, const char* fallback) {
    if (!FAILED(status)) return fallback;
    std::string text = SystemMessageText(static_cast<DWORD>(status));
    return text.empty() ? std::string(fallback) : text;
}
