#pragma once
// Small text helpers shared by the platform-free parts.
#include <string>
#include <string_view>
#include <vector>

// Whole-text equality ignoring ASCII letter case. Used for job codes and
// keywords, which are plain ASCII.
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);

// True when `needle` occurs in `haystack`, ignoring ASCII letter case.
bool ContainsNoCaseAscii(std::string_view haystack, std::string_view needle);

// Removes blanks, tabs, CR, LF, vertical tabs and form feeds at both ends.
std::string_view TrimWhite(std::string_view text);

// Splits at any run of the characters in `delimiters`; empty pieces vanish.
std::vector<std::string_view> SplitOnAny(std::string_view text, std::string_view delimiters);
