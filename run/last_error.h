#pragma once
// The thread's last system error, kept in the run context for the log lines
// and the status description that report it.

// Reads the thread's last system error once into g_ctx.LastErrorNumber
// (decimal) and g_ctx.LastErrorText (the system's message, line end included;
// empty when the system has none).
void CaptureLastError();

// The same for a system error number noted earlier.
void CaptureSystemError(unsigned long error);

// Writes only the decimal number of the thread's last error into
// g_ctx.LastErrorNumber; g_ctx.LastErrorText stays as it is.
void CaptureLastErrorNumber();
