// "-CHANGENAME guid name [description]": a rename; the description changes
// only when one is given.
#include "simulator/sim_commands.h"

SimOutcome ChangePlanName(SimState& state, const SimOperands& operands) {
    SimPlan* plan = FindPlan(state, operands[0]);
    if (!plan) return SimNotFound();
    plan->name = operands[1];
    if (operands.size() > 2) plan->description = operands[2];
    return SimSuccess();
}
