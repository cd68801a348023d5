#pragma once
// The check's machine: the executor's step runs against it unchanged, and
// it shows what the step does instead of doing it. Its plans are a model
// (model_plans.h) that starts from this machine's listing or a saved one;
// its facts are this machine's, or those given for another machine. Each
// decision and each command is printed as it comes; nothing is changed.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/code_pages.h"
#include "base/lead_bytes.h"
#include "check/check_facts.h"
#include "check/model_plans.h"
#include "power/power_system.h"
#include "power/this_machine.h"

// The facts a decision uses about the machine the job would run on.
struct MachineFactsUsed {
    std::optional<std::string> description;  // the system's readable name
    std::int32_t osCode = 0;
    bool vistaOrLater = true;
    bool hibernationSupported = false;
    CodePages pages{0, 0};  // the job's texts and plan names are held in pages.ansi
};

class ModelMachine final : public PowerSystem {
public:
    // `list` gives the starting plans when a step first asks for them.
    // `start` is what the model knows of the machine besides its plans.
    ModelMachine(std::function<PlanListing()> list, ListingOf whose, MachineFactsUsed facts, ModelStart start = {})
        : list_(std::move(list)), whose_(whose), facts_(std::move(facts)), start_(std::move(start)) {}

    // The text with the model's stand-ins for the plans it made.
    std::string Shown(std::string text) const { return plans_ ? plans_->Shown(std::move(text)) : text; }
    // What the commands since the last call would change.
    StepChanges TakeChanges() { return plans_ ? plans_->TakeChanges() : StepChanges{}; }

    void Log(const char*, const PlannedLine&) override {}
    std::string ErrorText(unsigned long error) override;
    TextExactness Exactness(const PwrScheme& request) override { return RequestExactness(request, facts_.pages); }
    std::optional<FailureReport> LeftCopyRefusal(const PwrScheme&) override { return std::nullopt; }
    std::optional<std::string> DescribeSystem() override { return facts_.description; }
    PlanListing ListPlans() override;
    StepFacts Facts(const PwrScheme& request, std::vector<SchemeEntry> listing) override;
    void Decided(const StepPlan& plan, const PwrScheme& request) override;
    CommandResult Run(const std::string& commandLine) override;
    CommandResult RunCaptured(const std::string& commandLine) override { return Run(commandLine); }
    std::optional<unsigned long> RecordCopy(const std::string&, const std::string&) override { return std::nullopt; }
    void ForgetCopy(const std::string&) override {}

private:
    std::function<PlanListing()> list_;
    ListingOf whose_;
    MachineFactsUsed facts_;
    ModelStart start_;
    std::optional<FailureReport> refusal_;
    std::optional<ModelPlans> plans_;
};

// This machine's facts, as a check names them.
CheckFacts ThisMachineCheckFacts();

// The facts a decision uses on a machine like `used`. Where the Windows fact
// is this machine's (`windowsGiven` false), this machine's own system name
// and code are used, as a run here would log and test them.
MachineFactsUsed DecisionFacts(const CheckFacts& used, bool windowsGiven);
