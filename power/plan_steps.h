#pragma once
// Steps that plan creation and modification share, each logged under the
// calling operation's name. A false result means the operation stops with
// g_ctx.StatusDescription set.
#include <string>

#include "run/pwr_scheme.h"

// Logs the system's description; it also refreshes g_ctx.OsCode, which decides
// whether the cooling policy is written.
bool LogOsDescription(const char* module);

// Switches hibernation on when CEnaHiber is "1", off otherwise, on a machine
// that supports it. `enableFailureHint` is the operation's advice logged when
// switching on fails.
bool SwitchHibernation(const PwrScheme& request, const char* module, const char* enableFailureHint);

// Makes the plan the active one when CSchActive is "1".
bool ActivateIfRequested(const PwrScheme& request, const std::string& planGuid, const char* module);

// Windows applies the settings of the active plan when a plan is made active,
// so writes into the plan that is active take effect only then. Called after
// the last write into the plan the listing marked active: unless CSchActive
// "1" has just activated it, it is made active again.
bool ReactivateAfterWrites(const PwrScheme& request, const std::string& planGuid, const char* module);
