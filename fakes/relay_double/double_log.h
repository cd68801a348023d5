#pragma once
// The relay double's call log: one line per WebPostData call, ten fields
// separated by tabs. The first seven are the text arguments (backslash, tab,
// CR and LF escaped as \\, \t, \r, \n; an argument that is not a string is
// written as \v followed by its VARIANT type number), the last three the
// VARIANT types of result, error and error text on entry (-1 for a null
// pointer). Platform-free, shared by the double and the tests that read it.
#include <array>
#include <string>
#include <string_view>
#include <vector>

struct RelayCall {
    std::array<std::string, 7> texts;
    std::array<int, 3> outTypesOnEntry{};
};

// A text argument as the log holds it.
std::string EscapeRelayText(std::string_view text);
// The marker for an argument that held no string.
std::string NonStringRelayArgument(int variantType);
// One log line, line feed included, from already escaped fields.
std::string RelayCallLine(const std::array<std::string, 7>& escapedTexts, const std::array<int, 3>& outTypes);
// Every call in the log, in order; lines that do not have ten fields are skipped.
std::vector<RelayCall> ParseRelayCalls(std::string_view logText);
