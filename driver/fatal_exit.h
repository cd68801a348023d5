#pragma once
// The end of a run after an unexpected exception: one "Exception Occured"
// line, then the process ends at once with exit code 0. Nothing is posted.

// Captures the last system error and logs it with the line.
[[noreturn]] void ExitAfterException(const char* module);
// Logs the line with empty number and text (the command runner's form).
[[noreturn]] void ExitAfterExceptionNoError(const char* module);
