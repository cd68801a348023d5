// "-H on|off": the machine-wide hibernation switch.
#include "base/text.h"
#include "simulator/sim_commands.h"

SimOutcome SwitchHibernation(SimState& state, const SimOperands& operands) {
    bool on;
    if (EqualsNoCaseAscii(operands[0], "on")) {
        on = true;
    } else if (EqualsNoCaseAscii(operands[0], "off")) {
        on = false;
    } else {
        return SimInvalidParameters();
    }
    if (!state.hibernateSupported)
        return SimRefusal("Hibernation failed with the following error: The request is not supported.");
    state.hibernateOn = on;
    return SimSuccess();
}
