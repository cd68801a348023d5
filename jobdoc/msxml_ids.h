#pragma once
// The identifiers of the MSXML DOM document. MinGW-w64's import libraries lack
// some MSXML identifiers, so the ones this program needs are defined here once.
#include <windows.h>

// The version-independent DOM document class.
extern const CLSID kDomDocumentClsid;
// IXMLDOMDocument.
extern const IID kDomDocumentIid;
