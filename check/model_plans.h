#pragma once
// The plans of a model machine: they start as a listing showed them, and
// each POWERCFG command changes them as POWERCFG would: a duplication of a
// listed plan makes a new plan named like it, with a stand-in GUID of its
// own and the values of its base; a duplication, rename, setting write or
// activation of a plan not listed fails, as does the deletion of the active
// plan. Each command's change of the machine is kept for the step that ran
// it. Platform-free.
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "base/lead_bytes.h"
#include "check/step_changes.h"
#include "power/command_result.h"
#include "power/plan_values.h"
#include "run/scheme_entry.h"

// What the model knows of the machine besides its listing.
struct ModelStart {
    PlanValues values;  // current values known from the start (saved outputs)
    // The "POWERCFG /Q" output of one listed plan, asked once per plan, when a
    // step first writes it or copies it; nothing when it cannot be had. May be
    // empty: then only `values` are known.
    std::function<std::optional<std::string>(const std::string& planGuid)> readValues;
    std::optional<bool> hibernationOn;  // nothing: cannot be read
};

class ModelPlans {
public:
    explicit ModelPlans(std::vector<SchemeEntry> plans, LeadBytes lead = SingleByteCodePage(), ModelStart start = {})
        : plans_(std::move(plans)), lead_(lead), start_(std::move(start)) {}

    const std::vector<SchemeEntry>& Plans() const { return plans_; }

    // Carries out the command on the plans; what POWERCFG would print (for a
    // duplication, the new plan's line) and its exit code.
    CommandResult Apply(std::string_view commandLine);

    // The text with each stand-in GUID shown as "{new-plan-N}", N counting the
    // plans the model made from 1.
    std::string Shown(std::string text) const;
    // How the plan the next duplication makes will be shown.
    std::string NextPlanShown() const;

    // What the commands since the last call would change, and forgets it.
    StepChanges TakeChanges();

private:
    SchemeEntry* Find(std::string_view guid);
    void Duplicated(const SchemeEntry& base, const std::string& copy);
    void Activated(const SchemeEntry& plan);
    void Hibernated(std::string_view onOrOff);
    void Wrote(const std::vector<std::string>& args);
    void ReadValuesOnce(const std::string& plan);
    std::optional<unsigned long> CurrentIndex(const std::string& plan, const std::string& subgroup,
                                              const std::string& setting, bool ac);

    std::vector<SchemeEntry> plans_;
    LeadBytes lead_;
    int made_ = 0;
    ModelStart start_;
    std::set<std::string> asked_;  // plans whose values were asked for, lower case
    // Values the model's own writes set: (plan, subgroup, setting, AC) -> index.
    std::map<std::tuple<std::string, std::string, std::string, bool>, unsigned long> written_;
    StepChanges changes_;
};
