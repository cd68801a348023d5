#pragma once
// A job step's operation carried out on this machine. `copyRecord` is the
// record file of plan copies not yet renamed (left_copy_record.h): a creation
// records its copy there, and a step named like a copy still recorded is
// refused. An exception inside the step is logged and ends the process at
// once with exit code 0.
#include <string>

#include "power/step_decision.h"
#include "run/job_outcome.h"
#include "run/pwr_scheme.h"

Outcome RunStepOnThisMachine(StepOperation operation, const PwrScheme& request, const std::string& copyRecord);
