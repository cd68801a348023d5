#pragma once
// One plan step, the same for the executor and the check: the request's
// gates, the listing, the decision, its log lines and commands in order, and
// the hand-off to the other operation, all against a PowerSystem. How the
// step ends comes back as the outcome. Platform-free.
#include "power/power_system.h"
#include "power/step_decision.h"
#include "run/job_outcome.h"
#include "run/pwr_scheme.h"

Outcome RunPlanStep(StepOperation operation, const PwrScheme& request, PowerSystem& system);

// How a failed command is reported: the failure's status followed by the
// reason (when the report appends it), and ("Failed", "ExecuteCommand", ...)
// logged under `module`:
// - the command ran and ended with a non-zero exit code: the reason is
//   "POWERCFG ended with exit code N", logged as (N, that text);
// - a system call failed (the start, the exit code, ...) or the command timed
//   out: the system's text of that error, logged as (number, text);
// - no command ran (one that could not be formed): the report's own system
//   error, the same way.
Outcome ReportCommandFailure(PowerSystem& system, const char* module, const FailureReport& failure,
                             const CommandFailure& cause);
