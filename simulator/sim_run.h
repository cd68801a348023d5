#pragma once
// One invocation of the simulated tool over its state. Platform-free.
#include <string_view>

#include "simulator/sim_outcome.h"
#include "simulator/sim_state.h"

// Counts the invocation, then either fails it by the first matching injected
// fault or runs the command `commandLine` (program name first) asks for; a
// fault with `thenRun` only puts its output first. A failed invocation
// changes nothing in `state` but the count. `language` is that of the
// labels "/q" prints.
SimOutcome RunSimInvocation(SimState& state, std::string_view commandLine, SimLanguage language = SimLanguage::English);
