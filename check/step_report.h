#pragma once
// How the check shows a job: a title line per step, then the decided step as
// the executor would carry it out, and the line that sums the job up.
// Platform-free.
#include <string>
#include <string_view>
#include <vector>

#include "power/step_decision.h"

// step 2: Delete Scheme "Old plan"
std::string StepTitle(int number, std::string_view action, std::string_view name);

// step 3: Rename Scheme "Old plan": skipped, Action Unknown
std::string SkippedStepLine(int number, std::string_view action, std::string_view name);

// The decided step, each line indented by two blanks: the plan it acts on
// (`madeAs` names a plan its duplication would make), and what the overwrite
// option does where it decides the step (`handOffAction` names the action a
// hand-off carries the step on as). The commands follow as they are run.
std::vector<std::string> DecisionLines(const StepPlan& plan, const PwrScheme& request, std::string_view handOffAction,
                                       std::string_view madeAs);

// A command line as run: indented by two blanks, byte for byte.
std::string CommandLine(std::string_view commandLine);

// The status description a failure would be posted with, on one line.
std::string RefusalLine(std::string_view status);

// The last line: the job would succeed (`failedStep` 0), or it would fail at
// that step with that status description.
std::string SummaryLine(int failedStep, std::string_view status);
