#pragma once
// What the decision of a step needs to know about this machine, read through
// Windows, and the status description a refusal is posted with.
#include <optional>
#include <string>
#include <vector>

#include "power/step_decision.h"

// Whether the request's name and description reach the system's code pages
// exactly (the ANSI code page, and for the name the console code page too).
TextExactness RequestExactness(const PwrScheme& request);

// The plan listing of this machine, or why there is none.
struct PlanListing {
    std::vector<SchemeEntry> plans;
    std::optional<FailureReport> refusal;  // the listing cannot be used (not run, failed, lists nothing)
};

// Runs "powercfg.exe /l" with its output captured into `capturePath` (created
// or replaced) and reads it. Nothing is logged here.
PlanListing ListPlans(const std::string& capturePath);

// The plans of a listing's bytes as the console printed them.
PlanListing PlansFromListingText(const std::string& bytes);

// The system's readable name, as a creation or modification logs it before
// it lists the plans; nothing when the system cannot be named.
std::optional<std::string> SystemDescription();
// How a creation or modification is refused when it cannot be named.
FailureReport SystemNotDescribed();

// Whose plans a listing shows: this machine's, whose exact names the power
// API can confirm, or another machine's (a saved listing), taken as listed.
enum class ListingOf { ThisMachine, AnotherMachine };

// This machine's facts for the request, with the plans of `listing`. A plan
// listed under the requested name is confirmed by its exact name where the
// listing is this machine's and the power API can tell it; where it cannot,
// the listed name decides.
StepFacts MachineFacts(const PwrScheme& request, std::vector<SchemeEntry> listing,
                       ListingOf whose = ListingOf::ThisMachine);

// The status description the executor posts for a failure that happened
// without a command having run (a refusal).
std::string RefusalStatus(const FailureReport& refusal);
