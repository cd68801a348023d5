// "-SETACVALUEINDEX" / "-SETDCVALUEINDEX scheme subgroup setting index": one
// setting of one plan for mains or battery power, stored as decimal text.
#include <cstdint>

#include "simulator/sim_commands.h"
#include "simulator/sim_settings.h"

SimOutcome SetValueIndex(SimState& state, const SimOperands& operands, bool mains) {
    std::uint32_t index = 0;
    if (!ParseSimIndex(operands[3], index)) return SimInvalidParameters();
    SimPlan* plan = FindPlan(state, operands[0]);
    const SimSetting* setting = FindSimSetting(operands[1], operands[2]);
    if (!plan || !IsSimSubgroup(operands[1]) || !setting) return SimNotFound();
    if (index > setting->kind->maxIndex) return SimInvalidParameters();

    auto& values = plan->values[SimSettingKey(setting->subgroup, setting->setting)];
    (mains ? values.first : values.second) = std::to_string(index);
    return SimSuccess();
}
