#pragma once
// The one place that writes the "Exception Occured" line after an unexpected
// exception. The ends below log it, then the process ends at once with exit
// code 0. Nothing is posted.

// Captures the last system error and logs the line with it; the caller goes
// on (or ends the run itself).
void LogException(const char* module);
// Logs the line as LogException does, then ends the process.
[[noreturn]] void ExitAfterException(const char* module);
// Logs the line with empty number and text (the command runner's form), then
// ends the process.
[[noreturn]] void ExitAfterExceptionNoError(const char* module);
