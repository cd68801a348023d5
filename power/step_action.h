#pragma once
// The actions a job step may name, in any letter case, each with the word the
// step's Action line shows and the operation that carries it out. A step whose
// action is none of them is skipped ("Action Unknown").
#include <string_view>

#include "power/step_decision.h"

struct StepAction {
    const char* action;  // as a job names it: "Create Scheme", ...
    const char* shown;   // as the Action line shows it: "Create", ...
    StepOperation operation;
};

// The action that `action` names; null when it names none.
const StepAction* FindStepAction(std::string_view action);

// The action that carries out `operation`.
const StepAction& ActionOf(StepOperation operation);
