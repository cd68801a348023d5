#include "report/fatal_exit.h"

#include <windows.h>

#include "report/log_writer.h"
#include "run/last_error.h"
#include "run/run_context.h"

void LogException(const char* module) {
    CaptureLastError();
    LogLine(module, "ERROR", "Exception Occured", g_ctx.LastErrorNumber, g_ctx.LastErrorText);
}

void ExitAfterException(const char* module) {
    LogException(module);
    ExitProcess(0);
}

void ExitAfterExceptionNoError(const char* module) {
    LogLine(module, "ERROR", "Exception Occured", "", "");
    ExitProcess(0);
}
