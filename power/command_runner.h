#pragma once
// Runs one command line as a hidden child process and waits for its end.
//
// `program` is the full path of the executable to start (the application-name
// argument of CreateProcessA), so a program of the same name in the current
// folder or the program's folder is never run instead. `commandLine` is the
// text the child sees and the text every log line shows.

// A command gets 5 minutes (the environment variable KV_COMMAND_TIMEOUT_MS may
// shorten the limit). One that runs longer is ended, logged as "Command Timed
// Out" and fails, with ERROR_TIMEOUT as the thread's last error and in
// g_ctx.LastErrorNumber/LastErrorText.

// Pauses 100 ms, runs the command hidden and waits for its end. True only
// when the process started, ended within the limit, its exit code could be
// read and that exit code is 0.
[[nodiscard]] bool ExecuteCMD(const char* program, const char* commandLine);

// Runs the command hidden with its standard output and standard error
// captured into `outputPath` (created or replaced), and waits for its end.
// True when the command was started, all its output was copied into the
// file and its exit code could be read; false when the file, the pipe, the
// handle duplicate or the process could not be created, when the exit code
// could not be read, or when the command did not end within the limit (the
// file is then left empty). The result does not depend on the exit code: when
// true, `exitCode` (when given) receives it for the caller to judge.
[[nodiscard]] bool CreateChildProcess(const char* program, const char* commandLine, const char* outputPath,
                                      unsigned long* exitCode = nullptr);

// Full path of POWERCFG in the Windows system folder.
const char* PowercfgProgram();
