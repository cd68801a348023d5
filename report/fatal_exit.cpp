#include "report/fatal_exit.h"

#include <windows.h>

#include "report/reporter.h"

void LogException(const char* module) { Reporter(module).SystemError("ERROR", "Exception Occured", GetLastError()); }

void ExitAfterException(const char* module) {
    LogException(module);
    ExitProcess(0);
}

void ExitAfterExceptionNoError(const char* module) {
    Reporter(module).Line("ERROR", "Exception Occured", "", "");
    ExitProcess(0);
}
