#include "power/command_failure.h"

#include <windows.h>

#include <string>

#include "power/command_runner.h"

void ReportCommandFailure(const Reporter& reporter, const FailureReport& failure) {
    std::string status = failure.status;
    const CommandFailure cause = TakeLastCommandFailure();
    if (cause.cause == CommandFailureCause::ExitCode) {
        // Signed, as the command runner logs exit codes. No system call failed,
        // so no system text belongs here.
        const std::string code = std::to_string(static_cast<int>(cause.code));
        const std::string reason = "POWERCFG ended with exit code " + code;
        if (failure.appendReason) status += reason;
        SetStatusDescription(status);
        reporter.Line("Failed", "ExecuteCommand", code, reason);
        return;
    }
    unsigned long error = cause.code;
    if (cause.cause == CommandFailureCause::None)
        error = failure.systemError != 0 ? failure.systemError : GetLastError();
    const std::string text = SystemErrorText(error);
    if (failure.appendReason) status += text;
    SetStatusDescription(status);
    reporter.Line("Failed", "ExecuteCommand", std::to_string(error), text);
}
