// "-SETACTIVE guid": makes the plan the active one.
#include "simulator/sim_commands.h"

SimOutcome SetActivePlan(SimState& state, const SimOperands& operands) {
    const SimPlan* plan = FindPlan(state, operands[0]);
    if (!plan) return SimNotFound();
    state.activeGuid = plan->guid;
    return SimSuccess();
}
