#pragma once
// How one command ended, as a value: whether it ran, its exit code, why it
// failed, and what it printed when its output was captured. Platform-free.
#include <string>

enum class CommandFailureCause {
    None,         // the command ran and ended with exit code 0
    SystemError,  // a system call failed (the start, the pipe, the exit code...)
    ExitCode,     // the command ran and ended with a non-zero exit code
    TimedOut,     // the command ran past its limit and was ended
};

struct CommandFailure {
    CommandFailureCause cause = CommandFailureCause::None;
    unsigned long code = 0;  // the system error number (ERROR_TIMEOUT when timed out), or the exit code
};

struct CommandResult {
    CommandFailure failure;
    unsigned long exitCode = 0;
    std::string output;  // a captured command's standard output and error

    // The command ran to its end (whatever its exit code).
    bool Ran() const {
        return failure.cause == CommandFailureCause::None || failure.cause == CommandFailureCause::ExitCode;
    }
    bool Succeeded() const { return failure.cause == CommandFailureCause::None; }
};
