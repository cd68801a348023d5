#include "check/step_report.h"

#include <algorithm>

#include "base/text.h"

namespace {
std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A status description ends with a system text's line end, and may hold one.
std::string OneLine(std::string_view text) {
    std::string line(TrimWhite(text));
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

bool RunsCommands(const StepPlan& plan) {
    return std::any_of(plan.actions.begin(), plan.actions.end(),
                       [](const PlannedAction& a) { return std::holds_alternative<PlannedCommand>(a); });
}

bool DuplicatesPlan(const StepPlan& plan) {
    return std::any_of(plan.actions.begin(), plan.actions.end(), [](const PlannedAction& a) {
        const auto* command = std::get_if<PlannedCommand>(&a);
        return command && command->duplicatesPlan;
    });
}

std::string PlanLine(const StepPlan& plan, std::string_view requestedName, std::string_view madeAs) {
    if (!plan.planGuid.empty()) return "  plan: " + Quoted(plan.planName) + " " + plan.planGuid;
    if (plan.operation == StepOperation::Create && DuplicatesPlan(plan))
        return "  plan: none named " + Quoted(requestedName) + ", made as " + std::string(madeAs);
    return "  plan: none named " + Quoted(requestedName);
}

// A creation whose plan exists, or a modification whose plan does not: the
// overwrite option hands the step on, or leaves it without a command.
std::string OverwriteLine(const StepPlan& plan, std::string_view overwrite, std::string_view handOffAction) {
    const bool exists = !plan.planGuid.empty();
    const bool decides = plan.operation == StepOperation::Create   ? exists
                         : plan.operation == StepOperation::Modify ? !exists
                                                                   : false;
    const bool handsOff = std::holds_alternative<StepHandsOff>(plan.end);
    if (!decides || (!handsOff && RunsCommands(plan))) return {};
    return "  overwrite " + Quoted(overwrite) + ": " + (exists ? "the plan exists" : "no plan has that name") + ", " +
           (handsOff ? "carried on as " + std::string(handOffAction) : std::string("nothing is done"));
}
}  // namespace

std::string StepTitle(int number, std::string_view action, std::string_view name) {
    return "step " + std::to_string(number) + ": " + std::string(action) + " " + Quoted(name);
}

std::string SkippedStepLine(int number, std::string_view action, std::string_view name) {
    return StepTitle(number, action, name) + ": skipped, Action Unknown";
}

std::vector<std::string> DecisionLines(const StepPlan& plan, const PwrScheme& request, std::string_view handOffAction,
                                       std::string_view madeAs) {
    std::vector<std::string> lines{PlanLine(plan, std::string_view(request.CSchName), madeAs)};
    const std::string overwrite = OverwriteLine(plan, std::string_view(request.COverwrite), handOffAction);
    if (!overwrite.empty()) lines.push_back(overwrite);
    return lines;
}

std::string CommandLine(std::string_view commandLine) { return "  " + std::string(commandLine); }

std::string RefusalLine(std::string_view status) { return "  refused: " + OneLine(status); }

std::string SummaryLine(int failedStep, std::string_view status) {
    if (failedStep == 0) return "the job would succeed";
    return "the job would fail at step " + std::to_string(failedStep) + ": " + OneLine(status);
}
