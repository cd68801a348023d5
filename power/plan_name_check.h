#pragma once
// The plan operations refuse a step whose plan name or description could act
// on another plan than the job named, before running anything: an empty name
// (it would match every unfilled listing entry), control characters,
// characters that the system's code pages cannot carry exactly to POWERCFG and
// back from its listing, a "?" or a leading "@" (plan_text_rules.h).
#include "run/pwr_scheme.h"

// True when the request's name may be used: not empty, no control character,
// no "?", no leading "@", held exactly by the ANSI code page (the reader's flag) and by the console
// code page (ANSI -> OEM -> ANSI gives the same bytes, as the listing's names
// are read). Otherwise sets g_ctx.StatusDescription, logs
// (module, "Error", "Scheme Name", empty, reason) and returns false.
bool RequireSchemeName(const PwrScheme& request, const char* module);

// The same for the description, which only goes to POWERCFG: no control
// character, held exactly by the ANSI code page. An empty description passes.
bool RequireSchemeDescription(const PwrScheme& request, const char* module);
