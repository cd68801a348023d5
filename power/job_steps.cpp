#include "power/job_steps.h"

StepsEnd CarryOutSteps(const ReadStep& read, StepCarrier& carrier) {
    PwrScheme step{};
    std::string errorText;
    for (int number = 1;; ++number) {
        const StepRead next = read(step, errorText);
        if (next == StepRead::End) return {Outcome::Done(), 0};
        if (next == StepRead::Failed) return {carrier.Unreadable(number, errorText), number};
        const StepAction* action = FindStepAction(step.CAction);
        if (action == nullptr) {
            carrier.Skipped(number, step);
            continue;
        }
        Outcome outcome = carrier.Carry(number, *action, step);
        if (outcome.IsFailure()) return {std::move(outcome), number};
    }
}
