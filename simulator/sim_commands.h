#pragma once
// The commands of the simulated tool. Each works on the state it is given and
// may leave it half changed on failure: the caller keeps the changes only
// when the exit code is 0. Operand counts are already checked. Platform-free.
#include <string>
#include <string_view>
#include <vector>

#include "simulator/sim_outcome.h"
#include "simulator/sim_state.h"

using SimOperands = std::vector<std::string>;

// One plan line as the listing and the duplication print it, CR LF included.
std::string SimPlanLine(std::string_view guid, std::string_view name, bool active);

SimOutcome ListPlans(const SimState& state);
SimOutcome DuplicatePlan(SimState& state, const SimOperands& operands);
SimOutcome ChangePlanName(SimState& state, const SimOperands& operands);
SimOutcome SwitchHibernation(SimState& state, const SimOperands& operands);
SimOutcome SetValueIndex(SimState& state, const SimOperands& operands, bool mains);
SimOutcome SetActivePlan(SimState& state, const SimOperands& operands);
SimOutcome DeletePlan(SimState& state, const SimOperands& operands);
SimOutcome QueryPlan(const SimState& state, const SimOperands& operands, SimLanguage language);
