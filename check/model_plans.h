#pragma once
// The plans of a model machine: they start as a listing showed them, and
// each POWERCFG command changes them as POWERCFG would: a duplication of a
// listed plan makes a new plan named like it, with a stand-in GUID of its
// own; a duplication, rename, setting write or activation of a plan not
// listed fails, as does the deletion of the active plan. Platform-free.
#include <string>
#include <string_view>
#include <vector>

#include "base/lead_bytes.h"
#include "power/command_result.h"
#include "run/scheme_entry.h"

class ModelPlans {
public:
    explicit ModelPlans(std::vector<SchemeEntry> plans, LeadBytes lead = SingleByteCodePage())
        : plans_(std::move(plans)), lead_(lead) {}

    const std::vector<SchemeEntry>& Plans() const { return plans_; }

    // Carries out the command on the plans; what POWERCFG would print (for a
    // duplication, the new plan's line) and its exit code.
    CommandResult Apply(std::string_view commandLine);

    // The text with each stand-in GUID shown as "{new-plan-N}", N counting the
    // plans the model made from 1.
    std::string Shown(std::string text) const;
    // How the plan the next duplication makes will be shown.
    std::string NextPlanShown() const;

private:
    SchemeEntry* Find(std::string_view guid);

    std::vector<SchemeEntry> plans_;
    LeadBytes lead_;
    int made_ = 0;
};
