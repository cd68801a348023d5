#pragma once
// A step without a plan name would match every unfilled listing entry and act
// on an empty GUID, so the plan operations refuse it before running anything.
#include "run/pwr_scheme.h"

// True when the request names a plan. Otherwise sets g_ctx.StatusDescription
// to "Scheme Name is empty hence not processed", logs
// (module, "Error", "Scheme Name", empty, "Scheme Name Empty") and returns false.
bool RequireSchemeName(const PwrScheme& request, const char* module);
