#include "power/command_failure.h"

#include <string>

#include "base/fixed_text.h"
#include "power/command_runner.h"
#include "report/log_writer.h"
#include "run/last_error.h"
#include "run/run_context.h"

void ReportCommandFailure(const char* module, std::string_view message, AppendSystemText append) {
    std::string status(message);
    const CommandFailure failure = TakeLastCommandFailure();
    if (failure.cause == CommandFailureCause::ExitCode) {
        // Signed, as the command runner logs exit codes. No system call failed,
        // so no system text belongs here.
        const std::string code = std::to_string(static_cast<int>(failure.code));
        const std::string reason = "POWERCFG ended with exit code " + code;
        if (append == AppendSystemText::Yes) status += reason;
        StoreTextCut(g_ctx.StatusDescription, status);
        LogLine(module, "Failed", "ExecuteCommand", code, reason);
        return;
    }
    if (failure.cause == CommandFailureCause::None)
        CaptureLastError();
    else
        CaptureSystemError(failure.code);
    if (append == AppendSystemText::Yes) status += g_ctx.LastErrorText;
    StoreTextCut(g_ctx.StatusDescription, status);
    LogLine(module, "Failed", "ExecuteCommand", g_ctx.LastErrorNumber, g_ctx.LastErrorText);
}
