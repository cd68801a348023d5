#pragma once
// The agent's packed argument: nine fields joined by "@#@".
//
//   OD@#@ScriptId@#@XmlFilePath@#@JobId@#@UserLoggedIn@#@ExecutionTime@#@InstanceID@#@IsRealTimeS@#@ScriptJobId
//
// The whole process command line is split, program path included, at every
// run of at signs and number signs; empty pieces vanish. So the first field
// holds the program path, a blank and OD, and a value can never contain an at
// sign or a number sign.
//
// The line is split in its UTF-16 form, where no part of another character can
// pass for a separator. The job document's path is then kept as it is; every
// other field must have an exact form in the ANSI code page, or the line is
// refused: a field is never carried on as a look-alike of what the agent sent.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/job_args.h"

// The longest command line accepted, in UTF-16 characters.
inline constexpr std::size_t kMaxCommandLine = 1023;

// The pieces of the command line, in order.
std::vector<std::wstring_view> CommandLineTokens(std::wstring_view commandLine);

// One field in the ANSI code page, exactly; nothing when the code page has no
// exact form for it.
using ExactAnsiText = std::optional<std::string> (*)(std::wstring_view field);

struct SplitVerdict {
    bool stored = false;
    // When not stored: the name of the first field without an exact ANSI form
    // ("JobId", ...), or empty when the line does not have the packed form
    // (too long, not nine fields, a value too long for its field).
    std::string_view inexactField;
};

// Stores the nine fields into `args` when the line is acceptable. Otherwise
// `args` is left untouched and the verdict says why.
SplitVerdict SplitJobArgs(std::wstring_view commandLine, ExactAnsiText toAnsi, JobArgs& args);
