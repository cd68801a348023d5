#pragma once
// Small text helpers shared by the platform-free parts.
#include <string>
#include <string_view>
#include <vector>

#include "base/lead_bytes.h"

// Whole-text equality ignoring ASCII letter case. Used for job codes and
// keywords, which are plain ASCII.
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);

// The text with ASCII letters in lower case (GUIDs, keywords); other bytes
// stay as they are.
std::string ToLowerAscii(std::string_view text);

// True when `needle` occurs in `haystack`, ignoring ASCII letter case. A match
// begins at a character of `haystack`, never at the second byte of one.
bool ContainsNoCaseAscii(std::string_view haystack, std::string_view needle,
                         const LeadBytes& lead = SingleByteCodePage());

// Removes blanks, tabs, CR, LF, vertical tabs and form feeds at both ends.
std::string_view TrimWhite(std::string_view text);

// Splits at any run of the characters in `delimiters`; empty pieces vanish.
// The byte version works byte by byte: in a double-byte code page it is only
// right for delimiters below 0x40, which no second byte takes. Text from
// outside the program is split in its UTF-16 form instead.
std::vector<std::string_view> SplitOnAny(std::string_view text, std::string_view delimiters);
std::vector<std::wstring_view> SplitOnAny(std::wstring_view text, std::wstring_view delimiters);
