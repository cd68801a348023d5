#pragma once
#include <optional>

// Whether the machine supports hibernation (SystemS4 of the power
// capabilities). A capability query that fails, or that cannot be loaded from
// the system folder's powrprof.dll, counts as not supported.
bool HibernationSupported();

// Whether hibernation is switched on: "POWERCFG -H ON" makes the hibernation
// file and "-H OFF" removes it. Nothing when the capabilities cannot be read.
std::optional<bool> HibernationOn();
