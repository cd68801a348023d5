#pragma once
// Runs one command line as a hidden child process and waits for its end.
//
// `program` is the full path of the executable to start (the application-name
// argument of CreateProcessA), so a program of the same name in the current
// folder or the program's folder is never run instead. `commandLine` is the
// text the child sees and the text every log line shows.

// A command gets 5 minutes (the environment variable KV_COMMAND_TIMEOUT_MS may
// shorten the limit). One that runs longer is ended, logged as "Command Timed
// Out" and fails, with ERROR_TIMEOUT as the thread's last error and as the
// failure's code (TakeLastCommandFailure).

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

// Why the last command did not succeed. A start that failed for a passing
// lack of resources has been tried again first (up to twice, a log line
// each); a command that started is never run again.
enum class CommandFailureCause {
    None,         // no command has failed since the cause was last taken
    SystemError,  // a system call failed (the start, the pipe, the exit code...)
    ExitCode,     // ExecuteCMD only: the command ran and ended with a non-zero exit code
    TimedOut,     // the command ran past its limit and was ended
};
struct CommandFailure {
    CommandFailureCause cause = CommandFailureCause::None;
    unsigned long code = 0;  // the system error number (ERROR_TIMEOUT when timed out), or the exit code
};

// The cause the last runner call left, taken once: every runner call starts
// with None, and taking it sets it back to None.
CommandFailure TakeLastCommandFailure();

// Full path of POWERCFG in the Windows system folder.
const char* PowercfgProgram();
