#pragma once
// What a plan step asks of the machine it runs on, in one port: the executor
// carries it out on this machine; the check answers from a model of a
// machine, so that the check shows what the very same step would do.
// Platform-free.
#include <optional>
#include <string>
#include <vector>

#include "power/command_result.h"
#include "power/step_decision.h"
#include "run/pwr_scheme.h"
#include "run/scheme_entry.h"

// The plans a listing shows, or why it cannot be used (not run, failed,
// lists nothing, names a plan twice).
struct PlanListing {
    std::vector<SchemeEntry> plans;
    std::optional<FailureReport> refusal;
};

class PowerSystem {
public:
    virtual ~PowerSystem() = default;

    // A line of the step's log under `module`.
    virtual void Log(const char* module, const PlannedLine& line) = 0;
    // The system's text for an error number, as a failure report carries it.
    virtual std::string ErrorText(unsigned long error) = 0;

    // Whether the request's texts reach the system's code pages exactly.
    virtual TextExactness Exactness(const PwrScheme& request) = 0;
    // The refusal of a step named like a plan copy that an ended run left
    // and that could not be deleted.
    virtual std::optional<FailureReport> LeftCopyRefusal(const PwrScheme& request) = 0;
    // The system's readable name; nothing when it cannot be named.
    virtual std::optional<std::string> DescribeSystem() = 0;
    // The plans as "powercfg.exe /l" lists them now.
    virtual PlanListing ListPlans() = 0;
    // What the decision needs to know, with the plans of `listing`.
    virtual StepFacts Facts(const PwrScheme& request, std::vector<SchemeEntry> listing) = 0;
    // The step as decided, before any of its actions is carried out.
    virtual void Decided(const StepPlan& plan, const PwrScheme& request) = 0;

    // Runs one POWERCFG command line.
    virtual CommandResult Run(const std::string& commandLine) = 0;
    // Runs the duplication of a plan, its output captured.
    virtual CommandResult RunCaptured(const std::string& commandLine) = 0;

    // Records a new plan copy as soon as its GUID is known (`printed` is what
    // the duplication printed); the system error when it cannot be recorded.
    virtual std::optional<unsigned long> RecordCopy(const std::string& guid, const std::string& printed) = 0;
    // The copy is renamed or deleted: no longer recorded.
    virtual void ForgetCopy(const std::string& guid) = 0;
};
