#pragma once
// The three plan operations of a job step. Each takes its own copy of the
// step's record and returns false when the step failed; the run's status
// description then holds the reason. An exception inside an operation is
// logged and ends the process at once with exit code 0.
#include "run/pwr_scheme.h"

bool CreatePowerSchemeVista(PwrScheme request);
bool ModifyPowerSchemeVista(PwrScheme request);
bool DeletePowerSchemeVista(PwrScheme request);
