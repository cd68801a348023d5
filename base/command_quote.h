#pragma once
// Quoting of values inserted into a command line, by the Windows argument
// rules: the value always stands in double quotes, an embedded double quote is
// escaped, and backslashes are doubled only where they precede a quote. An
// ordinary value comes out as "value"; the empty value as "".
#include <string>
#include <string_view>
#include <vector>

#include "base/lead_bytes.h"

// `lead` names the lead bytes of the value's code page: the second byte of a
// double-byte character is never taken for a backslash.
std::string QuoteArgument(std::string_view value, const LeadBytes& lead = SingleByteCodePage());

// Splits a command line into arguments by the same rules (as the C runtime
// and CommandLineToArgvW do for arguments after the program name).
std::vector<std::string> SplitCommandLine(std::string_view commandLine, const LeadBytes& lead = SingleByteCodePage());
