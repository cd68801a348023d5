#pragma once
// A small well-formedness check of an XML 1.0 document held in a single-byte
// code page (every byte from 0x80 up counts as a character, as the record's
// ANSI text would be read): one root element, matching tags, unique
// attributes, "&" only in the five predefined or numeric references, no "<"
// in text or attribute values, no "]]>" outside CDATA, comments, processing
// instructions and CDATA sections closed, and no control character other
// than tab, line feed and carriage return anywhere, not even as a reference.
// No DTD is accepted.
#include <string>
#include <string_view>

// Empty when `text` is well-formed, else what is wrong and where.
std::string XmlWellFormednessError(std::string_view text);
