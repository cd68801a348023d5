#pragma once
// This machine as a plan step sees it, read through Windows: its plan
// listing, its system and the facts a decision needs; and the executor's
// port, which carries a step out here.
#include <optional>
#include <string>
#include <vector>

#include "base/code_pages.h"
#include "power/power_system.h"
#include "power/step_decision.h"

// Whether the request's name and description reach the system's code pages
// exactly (the ANSI code page, and for the name the console code page too).
TextExactness RequestExactness(const PwrScheme& request);
// The same in the code pages `pages` (another machine's, say).
TextExactness RequestExactness(const PwrScheme& request, const CodePages& pages);

// Runs "powercfg.exe /l" with its output captured into `capturePath`
// (created or replaced), or kept in memory alone when the path is empty, and
// reads it. Nothing is logged here.
PlanListing ListPlans(const std::string& capturePath);

// What "powercfg.exe /q <plan>" prints of one plan's settings, kept in
// memory; nothing when it could not be run or ended with an exit code other
// than 0.
std::optional<std::string> QueryPlanValues(const std::string& planGuid);

// The plans of a listing's bytes as the console printed them.
PlanListing PlansFromListingText(const std::string& bytes);
// The same for bytes `from` an encoding, names held in `pages`.
PlanListing PlansFromListingText(const std::string& bytes, TextBytes from, const CodePages& pages);

// The system's readable name, as a creation or modification logs it before
// it lists the plans; nothing when the system cannot be named.
std::optional<std::string> SystemDescription();

// Whose plans a listing shows: this machine's, whose exact names the power
// API can confirm, or another machine's (a saved listing), taken as listed.
enum class ListingOf { ThisMachine, AnotherMachine };

// This machine's facts for the request, with the plans of `listing`. A plan
// listed under the requested name is confirmed by its exact name where the
// listing is this machine's and the power API can tell it; where it cannot,
// the listed name decides.
StepFacts MachineFacts(const PwrScheme& request, std::vector<SchemeEntry> listing,
                       ListingOf whose = ListingOf::ThisMachine);
// The same with names compared in `pages`, for a machine that holds its
// texts in those code pages.
StepFacts MachineFacts(const PwrScheme& request, std::vector<SchemeEntry> listing, ListingOf whose,
                       const CodePages& pages);
// The facts about the listed plans and the code pages alone; the system's
// facts (its code, version and hibernation) are left for the caller to give.
StepFacts PlanFacts(const PwrScheme& request, std::vector<SchemeEntry> listing, ListingOf whose,
                    const CodePages& pages);

// The executor's port: POWERCFG run through the command runner, each line
// into the run's log, new plan copies recorded in `copyRecord` (see
// left_copy_record.h) until renamed.
class ThisMachine final : public PowerSystem {
public:
    explicit ThisMachine(std::string copyRecord) : copyRecord_(std::move(copyRecord)) {}

    void Log(const char* module, const PlannedLine& line) override;
    std::string ErrorText(unsigned long error) override;
    TextExactness Exactness(const PwrScheme& request) override { return RequestExactness(request); }
    std::optional<FailureReport> LeftCopyRefusal(const PwrScheme& request) override;
    std::optional<std::string> DescribeSystem() override { return SystemDescription(); }
    PlanListing ListPlans() override;
    StepFacts Facts(const PwrScheme& request, std::vector<SchemeEntry> listing) override {
        return MachineFacts(request, std::move(listing));
    }
    void Decided(const StepPlan&, const PwrScheme&) override {}
    CommandResult Run(const std::string& commandLine) override;
    CommandResult RunCaptured(const std::string& commandLine) override;
    std::optional<unsigned long> RecordCopy(const std::string& guid, const std::string& printed) override;
    void ForgetCopy(const std::string& guid) override;

private:
    std::string copyRecord_;
};
