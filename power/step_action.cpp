#include "power/step_action.h"

#include <string>

#include "win/text_convert.h"

namespace {
constexpr StepAction kStepActions[] = {
    {"Create Scheme", "Create", StepOperation::Create},
    {"Modify Scheme", "Modify", StepOperation::Modify},
    {"Delete Scheme", "Delete", StepOperation::Delete},
};
}  // namespace

const StepAction* FindStepAction(std::string_view action) {
    const std::string text(action);
    for (const StepAction& known : kStepActions)
        if (SameTextNoCase(text.c_str(), known.action)) return &known;
    return nullptr;
}

const StepAction& ActionOf(StepOperation operation) {
    for (const StepAction& known : kStepActions)
        if (known.operation == operation) return known;
    return kStepActions[0];
}
