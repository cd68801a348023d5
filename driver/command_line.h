#pragma once
// The agent's packed argument: nine fields joined by "@#@".
//
//   OD@#@ScriptId@#@XmlFilePath@#@JobId@#@UserLoggedIn@#@ExecutionTime@#@InstanceID@#@IsRealTimeS@#@ScriptJobId
//
// The whole process command line is split, program path included, at every
// run of at signs and number signs; empty pieces vanish. So the first field
// holds the program path, a blank and OD, and a value can never contain an at
// sign or a number sign.
#include <string>
#include <string_view>
#include <vector>

#include "run/job_args.h"

// The command-line copy the driver keeps holds at most this many characters.
inline constexpr std::size_t kMaxCommandLine = 1023;

// The pieces of the command line, in order.
std::vector<std::string_view> CommandLineTokens(std::string_view commandLine);

// Stores the nine fields into `args` when the line is acceptable: at most
// kMaxCommandLine characters, exactly nine fields, each within its field's
// capacity. Otherwise `args` is left untouched and false is returned.
bool SplitJobArgs(std::string_view commandLine, JobArgs& args);
