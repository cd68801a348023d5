#pragma once
// Runs one command line as a hidden child process and waits for its end.
//
// `program` is the full path of the executable to start (the application-name
// argument of CreateProcessA), so a program of the same name in the current
// folder or the program's folder is never run instead. `commandLine` is the
// text the child sees and the text every log line shows.

#include <string>

#include "power/command_result.h"

// A command gets 5 minutes (the environment variable KV_COMMAND_TIMEOUT_MS may
// shorten the limit). One that runs longer is ended, logged as "Command Timed
// Out" and fails with the cause TimedOut and the code ERROR_TIMEOUT.
//
// A start that failed for a passing lack of resources is tried again first
// (up to twice, a log line each); a command that started is never run again.

// Pauses 100 ms, runs the command hidden and waits for its end. It succeeded
// only when the process started, ended within the limit, its exit code could
// be read and that exit code is 0.
[[nodiscard]] CommandResult ExecuteCMD(const char* program, const char* commandLine);

// Runs the command hidden with its standard output and standard error
// captured, and waits for its end. What it printed is in the result's
// output and, when `outputPath` is given, in that file (created or replaced).
// It failed when the file, the pipe, the handle duplicate or the process
// could not be created, when the exit code could not be read, or when the
// command did not end within the limit (the output, and the file, are then
// left empty); a command that ran with a non-zero exit code has Ran() true
// for the caller to judge.
[[nodiscard]] CommandResult CreateChildProcess(const char* program, const char* commandLine,
                                               const char* outputPath = nullptr);

// Full path of POWERCFG in the Windows system folder.
const char* PowercfgProgram();
