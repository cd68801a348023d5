#pragma once
// What a run does, under the run lock, about plan copies that another run
// made and never renamed (see left_copy.h).
#include <optional>
#include <string>

#include "power/step_decision.h"
#include "report/reporter.h"
#include "run/pwr_scheme.h"

// Deletes every recorded copy that still carries the name it was made with
// and forgets it; a copy that is gone or renamed is only forgotten. A copy
// that cannot be deleted stays recorded. Logs one line per recorded copy,
// under `reporter`'s module; with no record, it does nothing at all.
void RecoverLeftCopies(const Reporter& reporter, const std::string& recordPath);

// The refusal of a step whose plan name is that of a copy still recorded:
// one that could not be deleted. Nothing when no recorded copy has the name.
std::optional<FailureReport> RefuseForLeftCopy(const std::string& recordPath, const PwrScheme& request);
