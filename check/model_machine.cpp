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
            plans_.emplace(std::move(start.plans), CodePageLeadBytes(facts_.pages.ansi), std::move(start_));
    }
    PlanListing listing;
    if (refusal_)
        listing.refusal = refusal_;
    else
        listing.plans = plans_->Plans();
    return listing;
}

StepFacts ModelMachine::Facts(const PwrScheme& request, std::vector<SchemeEntry> listing) {
    StepFacts facts = PlanFacts(request, std::move(listing), whose_, facts_.pages);
    facts.osCode = facts_.osCode;
    facts.vistaOrLater = facts_.vistaOrLater;
    facts.hibernationSupported = facts_.hibernationSupported;
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

CheckFacts ThisMachineCheckFacts() {
    CheckFacts facts;
    const std::optional<OsVersion> version = ThisOsVersion();
    if (version) {
        facts.windows = {version->major, version->minor};
        facts.server = version->productType != 1;
        const std::string& pack = version->servicePack;
        for (unsigned number = 1; number <= 9; ++number)
            if (pack.rfind("Service Pack " + std::to_string(number), 0) == 0) facts.servicePack = number;
    }
    facts.hibernation = HibernationSupported();
    facts.pages = ThisMachineCodePages();
    return facts;
}

MachineFactsUsed DecisionFacts(const CheckFacts& used, bool windowsGiven) {
    MachineFactsUsed facts;
    if (windowsGiven) {
        OsVersion version;
        version.platformId = 2;
        version.major = used.windows.major;
        version.minor = used.windows.minor;
        version.productType = used.server ? 3 : 1;
        if (used.servicePack != 0) version.servicePack = "Service Pack " + std::to_string(used.servicePack);
        const OsDisplay display = BuildOsDisplay(version, 0);
        if (display.written) facts.description = display.text;
        facts.osCode = display.osCode;
        facts.vistaOrLater = version.major > 5;
    } else {
        facts.description = SystemDescription();
        char description[256] = {};
        static_cast<void>(GetOSDisplayString(description, facts.osCode));
        facts.vistaOrLater = IsVistaOrLaterOs();
    }
    facts.hibernationSupported = used.hibernation;
    facts.pages = used.pages;
    return facts;
}
