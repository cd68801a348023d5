// "-DELETE guid": removes a plan; the active plan cannot be removed.
#include "base/text.h"
#include "simulator/sim_commands.h"

SimOutcome DeletePlan(SimState& state, const SimOperands& operands) {
    const SimPlan* plan = FindPlan(state, operands[0]);
    if (!plan) return SimNotFound();
    if (EqualsNoCaseAscii(plan->guid, state.activeGuid)) return SimRefusal("Unable to delete the active power scheme.");
    state.plans.erase(state.plans.begin() + (plan - state.plans.data()));
    return SimSuccess();
}
