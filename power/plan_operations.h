#pragma once
// The three plan operations of a job step. Each takes its own copy of the
// step's record and returns false when the step failed; the run's status
// description then holds the reason. An exception inside an operation is
// logged and ends the process at once with exit code 0. `copyRecord` is the
// record file of plan copies not yet renamed (left_copy_record.h): a creation
// records its copy there, and a step named like a copy still recorded is refused.
#include <string>

#include "run/pwr_scheme.h"

bool CreatePowerSchemeVista(PwrScheme request, const std::string& copyRecord);
bool ModifyPowerSchemeVista(PwrScheme request, const std::string& copyRecord);
bool DeletePowerSchemeVista(PwrScheme request, const std::string& copyRecord);
