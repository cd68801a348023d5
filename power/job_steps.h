#pragma once
// The step loop of a job, the same for the executor and the check: each step
// in document order is carried out by the operation its action names, a step
// of an unknown action is skipped, and the first step that fails, or cannot
// be read, ends the job.
#include <functional>
#include <string>

#include "power/step_action.h"
#include "run/job_outcome.h"
#include "run/pwr_scheme.h"
#include "run/step_read.h"

// Reads the next step into `step`; for an unreadable one, why into `errorText`.
using ReadStep = std::function<StepRead(PwrScheme& step, std::string& errorText)>;

// What the loop hands each step to.
class StepCarrier {
public:
    virtual ~StepCarrier() = default;
    // An unreadable step is a failure of the job, not its end.
    virtual Outcome Unreadable(int number, const std::string& errorText) = 0;
    virtual void Skipped(int number, const PwrScheme& step) = 0;
    virtual Outcome Carry(int number, const StepAction& action, const PwrScheme& step) = 0;
};

// How the steps ended: the outcome, and the failed step's number (0 when
// none failed).
struct StepsEnd {
    Outcome outcome;
    int failedStep;
};

StepsEnd CarryOutSteps(const ReadStep& read, StepCarrier& carrier);
