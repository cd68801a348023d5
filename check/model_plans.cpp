#include "check/model_plans.h"

#include <algorithm>
#include <cstdio>

#include "base/command_quote.h"
#include "base/text.h"

namespace {
// A stand-in GUID has the shape of a real one, so that the step reads the
// duplication's output as it reads POWERCFG's; no installed plan has it.
std::string StandInGuid(int number) {
    char guid[40];
    std::snprintf(guid, sizeof guid, "0000e0de-0000-4000-8000-%012d", number);
    return guid;
}

std::string NewPlanShown(int number) { return "{new-plan-" + std::to_string(number) + "}"; }

CommandResult Exited(unsigned long code, std::string output = {}) {
    CommandResult result;
    result.exitCode = code;
    if (code != 0) result.failure = {CommandFailureCause::ExitCode, code};
    result.output = std::move(output);
    return result;
}

// POWERCFG ends a command it cannot carry out with exit code 1.
constexpr unsigned long kRefused = 1;
}  // namespace

SchemeEntry* ModelPlans::Find(std::string_view guid) {
    const auto found = std::find_if(plans_.begin(), plans_.end(),
                                    [&](const SchemeEntry& plan) { return EqualsNoCaseAscii(plan.SchemeGuid, guid); });
    return found == plans_.end() ? nullptr : &*found;
}

CommandResult ModelPlans::Apply(std::string_view commandLine) {
    const std::vector<std::string> args = SplitCommandLine(commandLine, lead_);
    if (args.size() < 2) return Exited(kRefused);
    const std::string& verb = args[1];
    if (EqualsNoCaseAscii(verb, "-H")) return Exited(0);
    SchemeEntry* plan = args.size() > 2 ? Find(args[2]) : nullptr;
    if (plan == nullptr) return Exited(kRefused);
    if (EqualsNoCaseAscii(verb, "-DUPLICATESCHEME")) {
        SchemeEntry copy{plan->SchemeName, StandInGuid(++made_), "No"};
        plans_.push_back(copy);
        return Exited(0, "Power Scheme GUID: " + copy.SchemeGuid + "  (" + copy.SchemeName + ")\r\n");
    }
    if (EqualsNoCaseAscii(verb, "-CHANGENAME")) {
        if (args.size() > 3) plan->SchemeName = args[3];
        return Exited(0);
    }
    if (EqualsNoCaseAscii(verb, "-SETACTIVE")) {
        for (SchemeEntry& each : plans_) each.SchemeActive = &each == plan ? "Yes" : "No";
        return Exited(0);
    }
    if (EqualsNoCaseAscii(verb, "-DELETE")) {
        if (EqualsNoCaseAscii(plan->SchemeActive, "Yes")) return Exited(kRefused);
        plans_.erase(plans_.begin() + (plan - plans_.data()));
        return Exited(0);
    }
    // The setting writes: the plan exists.
    return Exited(0);
}

std::string ModelPlans::Shown(std::string text) const {
    for (int number = 1; number <= made_; ++number) {
        const std::string guid = StandInGuid(number);
        for (std::size_t at; (at = text.find(guid)) != std::string::npos;)
            text.replace(at, guid.size(), NewPlanShown(number));
    }
    return text;
}

std::string ModelPlans::NextPlanShown() const { return NewPlanShown(made_ + 1); }
