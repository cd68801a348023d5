#pragma once
// Writes the 22 settings of a request into a plan: 44 POWERCFG commands
// (42 when the cooling policy does not apply to this system), each logged
// before it runs. Stops at the first failing command with
// g_ctx.StatusDescription, LastErrorNumber and LastErrorText set and the
// "Failed" line written; nothing written before is undone.
#include "run/pwr_scheme.h"

bool ApplySettingTable(const char* planGuid, const PwrScheme& request, const char* module);
