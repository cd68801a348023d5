#include "power/command_failure.h"

#include <string>

#include "base/fixed_text.h"
#include "report/log_writer.h"
#include "run/last_error.h"
#include "run/run_context.h"

void ReportCommandFailure(const char* module, std::string_view message, AppendSystemText append) {
    CaptureLastError();
    std::string status(message);
    if (append == AppendSystemText::Yes) status += g_ctx.LastErrorText;
    StoreTextCut(g_ctx.StatusDescription, status);
    LogLine(module, "Failed", "ExecuteCommand", g_ctx.LastErrorNumber, g_ctx.LastErrorText);
}
