#include "simulator/sim_outcome.h"

SimOutcome SimSuccess(std::string out) { return SimOutcome{0, std::move(out), {}}; }

SimOutcome SimNotFound() { return SimRefusal("The power scheme, subgroup or setting specified does not exist."); }

SimOutcome SimInvalidParameters() { return SimRefusal("Invalid Parameters -- try \"/?\" for help"); }

SimOutcome SimRefusal(const std::string& message) { return SimOutcome{1, {}, message + "\r\n"}; }
