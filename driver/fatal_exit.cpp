#include "driver/fatal_exit.h"

#include <windows.h>

#include "run/run_context.h"
#include "run/last_error.h"
#include "report/log_writer.h"

void ExitAfterException(const char* module) {
    CaptureLastError();
    LogLine(module, "ERROR", "Exception Occured", g_ctx.LastErrorNumber, g_ctx.LastErrorText);
    ExitProcess(0);
}

void ExitAfterExceptionNoError(const char* module) {
    LogLine(module, "ERROR", "Exception Occured", "", "");
    ExitProcess(0);
}
