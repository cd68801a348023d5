#pragma once
// The one way a failed POWERCFG command is reported. Called right after the
// runner failed, or, for a command that could not be formed, with the system
// error that says why in the report. The status description becomes the
// report's status followed by the reason (when the report appends it; cut to
// fit), and ("Failed", "ExecuteCommand", ...) is logged under the reporter's
// module:
// - the command ran and ended with a non-zero exit code: the reason is
//   "POWERCFG ended with exit code N", logged as (N, that text);
// - a system call failed (the start, the exit code, ...) or the command timed
//   out: the system's text of that error, logged as (number, text);
// - no command failed since the last report: the report's system error, or
//   the thread's last error, the same way.
#include "power/step_decision.h"
#include "report/reporter.h"

void ReportCommandFailure(const Reporter& reporter, const FailureReport& failure);
