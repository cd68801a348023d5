#pragma once
// Writes the 22 settings of a request into a plan: 44 POWERCFG commands
// (42 when the cooling policy does not apply to this system), each logged
// before it runs. Stops at the first failing command with
// g_ctx.StatusDescription, LastErrorNumber and LastErrorText set and the
// "Failed" line written; nothing written before is undone.
#include "run/pwr_scheme.h"

bool ApplySettingTable(const char* planGuid, const PwrScheme& request, const char* module);

// True when every value the table would write for the request on this system
// (g_ctx.OsCode) can become a valid command. Otherwise sets
// g_ctx.StatusDescription, logs (module, "Error", "Invalid Setting Value",
// "<element> AC|DC", value) and returns false. The operations call it before
// their first change, so that such a step changes nothing at all.
bool RequireValidSettingValues(const PwrScheme& request, const char* module);
