#pragma once
// Reading names and texts of DOM nodes as ANSI text, in the ANSI code page
// given (the system's own, or another machine's that a check works in).
#include <windows.h>
#include <msxml.h>

#include <string>

// The node's base name; empty for a node without one (a text node).
HRESULT ReadBaseName(IXMLDOMNode* node, unsigned ansiCodePage, std::string& name);
// The node's text, as the engine gives it.
HRESULT ReadNodeText(IXMLDOMNode* node, unsigned ansiCodePage, std::string& text);
// The node's typed value as text. An element without a declared data type
// gives its text; a typed element's value is converted to text. `text` is in
// the ANSI code page, as the system converts it (look-alikes and "?" where it
// lacks a character); `wide`, when given, receives the same text in UTF-16.
HRESULT ReadTypedText(IXMLDOMNode* node, unsigned ansiCodePage, std::string& text, std::wstring* wide = nullptr);
// The system's message for a failed status, or `fallback` when the status is
// not a failure (a missing item) or the system has no text for it.
std::string StatusMessage(HRESULT status, const char* fallback);
