#include "check/model_plans.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "base/command_quote.h"
#include "base/text.h"
#include "power/setting_table.h"

namespace {
// A stand-in GUID has the shape of a real one, so that the step reads the
// duplication's output as it reads POWERCFG's; no installed plan has it.
std::string StandInGuid(int number) {
    char guid[40];
    std::snprintf(guid, sizeof guid, "0000e0de-0000-4000-8000-%012d", number);
    return guid;
}

std::string NewPlanShown(int number) { return "{new-plan-" + std::to_string(number) + "}"; }

CommandResult Exited(unsigned long code, std::string output = {}) {
    CommandResult result;
    result.exitCode = code;
    if (code != 0) result.failure = {CommandFailureCause::ExitCode, code};
    result.output = std::move(output);
    return result;
}

// POWERCFG ends a command it cannot carry out with exit code 1.
constexpr unsigned long kRefused = 1;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The job's element a setting write comes from; the setting's GUID for a
// setting outside the table.
std::string ElementOf(std::string_view subgroup, std::string_view setting) {
    for (const SettingRow& row : kSettingRows)
        if (EqualsNoCaseAscii(row.subgroupGuid, subgroup) && EqualsNoCaseAscii(row.settingGuid, setting))
            return row.tag->name;
    return std::string(setting);
}
}  // namespace

SchemeEntry* ModelPlans::Find(std::string_view guid) {
    const auto found = std::find_if(plans_.begin(), plans_.end(),
                                    [&](const SchemeEntry& plan) { return EqualsNoCaseAscii(plan.SchemeGuid, guid); });
    return found == plans_.end() ? nullptr : &*found;
}

CommandResult ModelPlans::Apply(std::string_view commandLine) {
    const std::vector<std::string> args = SplitCommandLine(commandLine, lead_);
    if (args.size() < 2) return Exited(kRefused);
    const std::string& verb = args[1];
    if (EqualsNoCaseAscii(verb, "-H")) {
        if (args.size() > 2) Hibernated(args[2]);
        return Exited(0);
    }
    SchemeEntry* plan = args.size() > 2 ? Find(args[2]) : nullptr;
    if (plan == nullptr) return Exited(kRefused);
    if (EqualsNoCaseAscii(verb, "-DUPLICATESCHEME")) {
        SchemeEntry copy{plan->SchemeName, StandInGuid(++made_), "No"};
        Duplicated(*plan, copy.SchemeGuid);
        plans_.push_back(copy);
        return Exited(0, "Power Scheme GUID: " + copy.SchemeGuid + "  (" + copy.SchemeName + ")\r\n");
    }
    if (EqualsNoCaseAscii(verb, "-CHANGENAME")) {
        if (args.size() > 3) plan->SchemeName = args[3];
        return Exited(0);
    }
    if (EqualsNoCaseAscii(verb, "-SETACTIVE")) {
        Activated(*plan);
        return Exited(0);
    }
    if (EqualsNoCaseAscii(verb, "-DELETE")) {
        if (EqualsNoCaseAscii(plan->SchemeActive, "Yes")) return Exited(kRefused);
        changes_.planMadeOrDeleted = true;
        plans_.erase(plans_.begin() + (plan - plans_.data()));
        return Exited(0);
    }
    // The setting writes: the plan exists.
    Wrote(args);
    return Exited(0);
}

// The copy starts with its base's values: those are read now, and the copy's
// own are never asked for (no machine holds its stand-in).
void ModelPlans::Duplicated(const SchemeEntry& base, const std::string& copy) {
    changes_.planMadeOrDeleted = true;
    const std::string from = ToLowerAscii(base.SchemeGuid), to = ToLowerAscii(copy);
    ReadValuesOnce(from);
    asked_.insert(to);
    const auto values = start_.values.plans.find(from);
    if (values != start_.values.plans.end()) start_.values.plans[to] = values->second;
    for (const auto& [key, index] : std::map(written_))
        if (std::get<0>(key) == from) written_[{to, std::get<1>(key), std::get<2>(key), std::get<3>(key)}] = index;
}

void ModelPlans::Activated(const SchemeEntry& plan) {
    const auto active = std::find_if(plans_.begin(), plans_.end(), [](const SchemeEntry& each) {
        return EqualsNoCaseAscii(each.SchemeActive, "Yes");
    });
    if (active == plans_.end() || &*active != &plan)
        changes_.changes.push_back("active plan: " + (active == plans_.end() ? "none" : Quoted(active->SchemeName)) +
                                   " -> " + Quoted(plan.SchemeName));
    for (SchemeEntry& each : plans_) each.SchemeActive = &each == &plan ? "Yes" : "No";
}

void ModelPlans::Hibernated(std::string_view onOrOff) {
    const bool on = EqualsNoCaseAscii(onOrOff, "ON");
    if (!start_.hibernationOn) {
        changes_.unreadable.push_back("hibernation");
        changes_.unknown = true;
    } else if (*start_.hibernationOn != on) {
        changes_.changes.push_back(std::string("hibernation: ") + (on ? "off -> on" : "on -> off"));
    }
    start_.hibernationOn = on;
}

// POWERCFG -SET<AC|DC>VALUEINDEX <plan> <subgroup> <setting> <index>
void ModelPlans::Wrote(const std::vector<std::string>& args) {
    if (args.size() < 6) return;
    const bool ac = EqualsNoCaseAscii(args[1], "-SETACVALUEINDEX");
    const std::string plan = ToLowerAscii(args[2]), subgroup = ToLowerAscii(args[3]), setting = ToLowerAscii(args[4]);
    const std::string what = ElementOf(subgroup, setting) + (ac ? " AC" : " DC");
    const std::optional<std::uint64_t> wanted = IndexNumber(args[5]);
    const std::optional<unsigned long> current = CurrentIndex(plan, subgroup, setting, ac);
    changes_.valuesWritten = true;
    if (!current || !wanted) {
        ++changes_.unreadableValues;
        changes_.unreadable.push_back(what);
        if (!start_.values.HasPlan(plan)) changes_.unknown = true;
    } else if (*current == *wanted) {
        ++changes_.valuesAlready;
    } else {
        ++changes_.valuesChanged;
        changes_.changes.push_back(what + ": " + std::to_string(*current) + " -> " + std::to_string(*wanted));
    }
    if (wanted) written_[{plan, subgroup, setting, ac}] = static_cast<unsigned long>(*wanted);
}

// A plan's values are asked for once, the first time one is wanted; only
// that plan's are taken from the output.
void ModelPlans::ReadValuesOnce(const std::string& plan) {
    if (!asked_.insert(plan).second || !start_.readValues || start_.values.HasPlan(plan)) return;
    const std::optional<std::string> output = start_.readValues(plan);
    if (!output) return;
    PlanValues read = ParsePlanValues(*output);
    const auto values = read.plans.find(plan);
    if (values != read.plans.end()) start_.values.plans[plan] = std::move(values->second);
}

// The index as the model's writes left it, else as the machine holds it.
std::optional<unsigned long> ModelPlans::CurrentIndex(const std::string& plan, const std::string& subgroup,
                                                      const std::string& setting, bool ac) {
    const auto written = written_.find({plan, subgroup, setting, ac});
    if (written != written_.end()) return written->second;
    ReadValuesOnce(plan);
    const std::optional<SettingIndexes> indexes = start_.values.Find(plan, subgroup, setting);
    if (!indexes) return std::nullopt;
    return ac ? indexes->ac : indexes->dc;
}

StepChanges ModelPlans::TakeChanges() { return std::exchange(changes_, StepChanges{}); }

std::string ModelPlans::Shown(std::string text) const {
    for (int number = 1; number <= made_; ++number) {
        const std::string guid = StandInGuid(number);
        for (std::size_t at; (at = text.find(guid)) != std::string::npos;)
            text.replace(at, guid.size(), NewPlanShown(number));
    }
    return text;
}

std::string ModelPlans::NextPlanShown() const { return NewPlanShown(made_ + 1); }
