#include "check/model_machine.h"

#include "check/check_output.h"
#include "check/step_report.h"
#include "power/hibernation.h"
#include "power/step_action.h"
#include "report/reporter.h"
#include "win/os_info.h"
#include "win/text_convert.h"

std::string ModelMachine::ErrorText(unsigned long error) { return SystemErrorText(error); }

PlanListing ModelMachine::ListPlans() {
    if (!plans_ && !refusal_) {
        PlanListing start = list_();
        if (start.refusal)
            refusal_ = std::move(start.refusal);
        else
            plans_.emplace(std::move(start.plans), facts_.leadBytes);
    }
    PlanListing listing;
    if (refusal_)
        listing.refusal = refusal_;
    else
        listing.plans = plans_->Plans();
    return listing;
}

StepFacts ModelMachine::Facts(const PwrScheme& request, std::vector<SchemeEntry> listing) {
    StepFacts facts = MachineFacts(request, std::move(listing), whose_);
    facts.osCode = facts_.osCode;
    facts.vistaOrLater = facts_.vistaOrLater;
    facts.hibernationSupported = facts_.hibernationSupported;
    facts.leadBytes = facts_.leadBytes;
    return facts;
}

void ModelMachine::Decided(const StepPlan& plan, const PwrScheme& request) {
    const std::string madeAs = plans_ ? plans_->NextPlanShown() : std::string();
    const auto* handOff = std::get_if<StepHandsOff>(&plan.end);
    const char* handOffAction = handOff ? ActionOf(handOff->to).action : "";
    for (const std::string& line : DecisionLines(plan, request, handOffAction, madeAs)) PrintLine(Shown(line));
}

CommandResult ModelMachine::Run(const std::string& commandLine) {
    PrintLine(Shown(CommandLine(commandLine)));
    if (!plans_) return CommandResult{{CommandFailureCause::ExitCode, 1}, 1, {}};  // no step runs one unlisted
    return plans_->Apply(commandLine);
}

MachineFactsUsed ThisMachineFacts() {
    MachineFactsUsed facts;
    facts.description = SystemDescription();
    char description[256] = {};
    static_cast<void>(GetOSDisplayString(description, facts.osCode));
    facts.vistaOrLater = IsVistaOrLaterOs();
    facts.hibernationSupported = HibernationSupported();
    facts.leadBytes = AnsiLeadBytes();
    return facts;
}
