#pragma once
// The one way a failed POWERCFG command is reported. Called right after the
// runner failed, or, when no command was run, after the thread's last error
// was set to the reason. g_ctx.StatusDescription becomes `message` followed by
// the reason (cut to fit), and ("Failed", "ExecuteCommand", ...) is logged
// under `module`:
// - the command ran and ended with a non-zero exit code: the reason is
//   "POWERCFG ended with exit code N", logged as (N, that text);
// - a system call failed (the start, the exit code, ...) or the command timed
//   out: the system's text of that error, logged as (number, text), and
//   g_ctx.LastErrorNumber/LastErrorText hold it;
// - no command failed since the last report: the thread's last error, the same way.
#include <string_view>

enum class AppendSystemText { Yes, No };

void ReportCommandFailure(const char* module, std::string_view message,
                          AppendSystemText append = AppendSystemText::Yes);
