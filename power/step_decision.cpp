#include "power/step_decision.h"

#include <utility>

#include "base/text.h"
#include "power/plan_commands.h"
#include "power/plan_text_rules.h"
#include "power/setting_table.h"

namespace {

// The texts a rename failure is reported with, by what the request asked for.
constexpr char kRenameFailed[] = "Not Able to Change Name : ";
constexpr char kRenameWithDescFailed[] =
    "Not Able to Change Name and Desc : This Command POWERCFG -CHANGENAME cannot be Executed";
constexpr char kRenameOnOldSystem[] = "Os Type is XP/2003/2000";
// The system error a rename too long for the command text is reported with.
constexpr unsigned long kInsufficientBuffer = 122;

// Builds a step's plan in order.
class PlanWriter {
public:
    PlanWriter(StepOperation operation, const PwrScheme& request) : request_(request) { plan_.operation = operation; }

    void Line(std::string type, std::string val1, std::string val2, std::string val3) {
        plan_.actions.emplace_back(PlannedLine{std::move(type), std::move(val1), std::move(val2), std::move(val3)});
    }
    // A line about the requested plan: (type, CSchName, val2, val3).
    void NameLine(std::string type, std::string val2, std::string val3) {
        Line(std::move(type), request_.CSchName, std::move(val2), std::move(val3));
    }
    PlannedCommand& Command(std::string commandLine, FailureReport failure) {
        PlannedCommand command;
        command.commandLine = std::move(commandLine);
        command.failure = std::move(failure);
        return std::get<PlannedCommand>(plan_.actions.emplace_back(std::move(command)));
    }
    void ActOn(const SchemeEntry& entry) {
        plan_.planName = entry.SchemeName;
        plan_.planGuid = entry.SchemeGuid;
    }
    StepPlan Refuse(FailureReport refusal) {
        plan_.end = StepRefused{std::move(refusal)};
        return std::move(plan_);
    }
    StepPlan HandOff(StepOperation to) {
        plan_.end = StepHandsOff{to};
        return std::move(plan_);
    }
    StepPlan Succeed() { return std::move(plan_); }

private:
    const PwrScheme& request_;
    StepPlan plan_;
};

FailureReport Fixed(std::string status, std::optional<PlannedLine> line = std::nullopt) {
    FailureReport report;
    report.status = std::move(status);
    report.line = std::move(line);
    return report;
}

FailureReport CommandFailed(std::string status, bool appendReason = true) {
    FailureReport report;
    report.kind = FailureReport::Kind::CommandFailure;
    report.status = std::move(status);
    report.appendReason = appendReason;
    return report;
}

// The listed plans named as the request, in listing order. A plan listed
// under the name whose exact name is another is not one of them; a line says
// which plan was passed over.
std::vector<const SchemeEntry*> NamedPlans(PlanWriter& out, const StepFacts& facts) {
    std::vector<const SchemeEntry*> plans;
    for (std::size_t i = 0; i < facts.listing.size() && i < facts.namedAsRequested.size(); ++i) {
        if (i < facts.lookAlike.size() && facts.lookAlike[i])
            out.NameLine("Info", facts.listing[i].SchemeGuid, "Exact Name Differs Hence Not This Scheme");
        if (facts.namedAsRequested[i]) plans.push_back(&facts.listing[i]);
    }
    return plans;
}

bool ListedActive(const SchemeEntry& entry) { return EqualsNoCaseAscii(entry.SchemeActive, "Yes"); }

std::optional<FailureReport> RefuseText(PlanText which, std::string_view text, bool exact) {
    const auto refusal = CheckPlanText(which, text, exact);
    if (!refusal) return std::nullopt;
    return Fixed(refusal->status, PlannedLine{"Error", refusal->logValue1, "", refusal->logValue3});
}

std::optional<FailureReport> RefuseValues(const PwrScheme& request, const StepFacts& facts) {
    const auto refusal = CheckSettingValues(request, facts.osCode);
    if (!refusal) return std::nullopt;
    return Fixed(refusal->status, PlannedLine{"Error", "Invalid Setting Value", refusal->setting, refusal->value});
}

FailureReport RenameFailure(const PwrScheme& request, const StepFacts& facts) {
    if (request.CSchDesc.empty()) return CommandFailed(kRenameFailed);
    if (facts.vistaOrLater) return CommandFailed(kRenameWithDescFailed);
    return CommandFailed(kRenameOnOldSystem, false);
}

// Hibernation is switched machine-wide. Its failures carry no system text:
// POWERCFG refusing it almost always means the hardware cannot hibernate.
void SwitchHibernation(PlanWriter& out, const PwrScheme& request, const StepFacts& facts, const char* enableHint) {
    out.NameLine("Info", "Hibernate Action", request.CEnaHiber);
    if (!facts.hibernationSupported) {
        out.NameLine("Info", "Hibernate", "Not Supported");
        return;
    }
    const bool on = OptionIsOn(request.CEnaHiber);
    const char* status = on ? "Failed to Enable Hibernate : System does not support hibernation"
                            : "Failed to Disable Hibernate : System does not support hibernation";
    const char* hint = on ? enableHint : "Kindly check by fireing the command:- Powercfg.exe -H OFF";
    out.Command(HibernateCommand(on), Fixed(status, PlannedLine{"Failed", "ExecuteCommand",
                                                                "Might be System does not support hibernation", hint}));
    out.Line("Success", "Hibernate", "", on ? "On" : "Off");
}

void WriteSettings(PlanWriter& out, const PwrScheme& request, const StepFacts& facts, const std::string& planGuid) {
    for (const PlannedWrite& write : PlanSettingWrites(request, planGuid, facts.osCode)) {
        if (write.kind == PlannedWrite::Kind::NotSupportedNotice) {
            out.Line("Info", "System cooling policy", "", "System Not Supported");
            continue;
        }
        out.NameLine("Info", write.label, write.rawValue);
        out.Command(write.command, CommandFailed(write.failureMessage));
    }
}

void ActivateIfRequested(PlanWriter& out, const PwrScheme& request, const std::string& planGuid) {
    out.NameLine("Info", "Activate Action", request.CSchActive);
    if (OptionIsOn(request.CSchActive))
        out.Command(ActivateCommand(planGuid), CommandFailed("Failed to set power scheme as active : "));
}

// The hibernation switch, the setting writes and the activation that a new
// plan and a modified one share.
void ConfigurePlan(PlanWriter& out, const PwrScheme& request, const StepFacts& facts, const std::string& planGuid,
                   const char* enableHint) {
    SwitchHibernation(out, request, facts, enableHint);
    WriteSettings(out, request, facts, planGuid);
    ActivateIfRequested(out, request, planGuid);
}

// A creation whose name is listed, or a modification whose name is not: the
// step is handed to the other operation when COverwrite is "1", and changes
// nothing otherwise.
StepPlan HandOffOnOverwrite(PlanWriter& out, const PwrScheme& request, const char* finding, const char* option,
                            const char* handOffNote, StepOperation to) {
    out.NameLine("Error", "", finding);
    const bool on = OptionIsOn(request.COverwrite);
    out.NameLine("Info", option, on ? "Yes" : "No");
    if (!on) return out.Succeed();
    out.NameLine("Info", "", handOffNote);
    return out.HandOff(to);
}

// Everything about the request that can be known before the base plan is
// copied is checked first, so that a refused request leaves no copy behind.
StepPlan DecideCreate(const PwrScheme& request, const StepFacts& facts) {
    PlanWriter out(StepOperation::Create, request);
    const std::vector<const SchemeEntry*> named = NamedPlans(out, facts);
    if (!named.empty()) {
        out.ActOn(*named.front());
        return HandOffOnOverwrite(out, request, "Scheme Already Present", "OverWriteIfExist", "Modifying Scheme",
                                  StepOperation::Modify);
    }
    const char* baseGuid = BasePlanGuid(request.CBasedOn);
    if (baseGuid == nullptr) {
        out.Line("Info", "obPwrScheme.CBasedOn", request.CBasedOn, "");
        return out.Refuse(Fixed("Not Able to Create Scheme"));
    }
    // A GUID is always 36 characters, so any one stands in for the new plan's
    // when the rename's length is checked. A description too long for the
    // command text is refused, never cut.
    constexpr char kAnyGuid[] = "00000000-0000-0000-0000-000000000000";
    if (!RenameCommand(kAnyGuid, request.CSchName, request.CSchDesc, facts.leadBytes)) {
        FailureReport refusal = RenameFailure(request, facts);
        refusal.systemError = kInsufficientBuffer;
        return out.Refuse(std::move(refusal));
    }
    if (auto refusal = RefuseValues(request, facts)) return out.Refuse(std::move(*refusal));

    PlannedCommand& duplicate = out.Command(DuplicateCommand(baseGuid), Fixed("Not Able to Create Scheme"));
    duplicate.duplicatesPlan = true;
    duplicate.timedOutStatus =
        "Not Able to Create Scheme : duplication timed out, a copy named like the base scheme may be left";
    out.Line("Info", "Scheme Name", "", request.CSchName);

    if (request.CSchDesc.empty())
        out.Line("Info", "ExecuteCommand", "CHANGENAME", "");
    else
        out.Line("Info", "ExecuteCommand", "CHANGENAME & Desc", request.CSchDesc);
    PlannedCommand& rename =
        out.Command(*RenameCommand(kNewPlanGuid, request.CSchName, request.CSchDesc, facts.leadBytes),
                    RenameFailure(request, facts));
    rename.deletesCopyOnFailure = true;

    ConfigurePlan(out, request, facts, kNewPlanGuid, "Kindly check by fireing the command:- Powercfg.exe -H ON");
    return out.Succeed();
}

StepPlan DecideModify(const PwrScheme& request, const StepFacts& facts) {
    PlanWriter out(StepOperation::Modify, request);
    const std::vector<const SchemeEntry*> named = NamedPlans(out, facts);
    if (named.empty())
        return HandOffOnOverwrite(out, request, "Scheme Not Present", "Create If Not Exist", "Creating Scheme",
                                  StepOperation::Create);
    const SchemeEntry& plan = *named.front();
    out.ActOn(plan);
    if (auto refusal = RefuseValues(request, facts)) return out.Refuse(std::move(*refusal));
    ConfigurePlan(out, request, facts, plan.SchemeGuid, "Kindly check by fireing the command:- Powercfg.exe -H On");
    // Windows applies the settings of the active plan when a plan is made
    // active, so writes into the active plan take effect only then; unless
    // CSchActive has just activated it, it is made active again.
    if (ListedActive(plan) && !OptionIsOn(request.CSchActive)) {
        out.NameLine("Info", "Active Scheme", "Set Active Again");
        out.Command(ActivateCommand(plan.SchemeGuid),
                    CommandFailed("Failed to set power scheme as active again to apply its settings : "));
    }
    return out.Succeed();
}

// Every plan of the name is deleted by its GUID, in listing order, up to the
// active one, which is never deleted.
StepPlan DecideDelete(const PwrScheme& request, const StepFacts& facts) {
    PlanWriter out(StepOperation::Delete, request);
    out.NameLine("Info", "Action", "Delete");
    const std::vector<const SchemeEntry*> named = NamedPlans(out, facts);
    if (named.empty()) {
        out.NameLine("Error", "", "Scheme Not Present");
        return out.Refuse(Fixed("Scheme not present hence not deleted"));
    }
    out.ActOn(*named.front());
    for (const SchemeEntry* plan : named) {
        out.Line("Info", "Scheme Name", "Delete", plan->SchemeName);
        out.Line("Info", "Scheme Guid", "Delete", plan->SchemeGuid);
        if (ListedActive(*plan)) {
            out.Line("Failed", "Scheme Is Currently Activated", "Hence Not Deleted.", "");
            return out.Refuse(Fixed("Scheme Is Currently Active hence not Deleted."));
        }
        out.Command(DeleteCommand(plan->SchemeGuid), CommandFailed("Failed to Delete power scheme : "));
        out.Line("Success", "ExecuteCommand", "", "");
    }
    return out.Succeed();
}

}  // namespace

const char* OperationModule(StepOperation operation) {
    switch (operation) {
        case StepOperation::Create:
            return "CreatePowerSchemeVista";
        case StepOperation::Modify:
            return "ModifyPowerSchemeVista";
        case StepOperation::Delete:
            break;
    }
    return "DeletePowerSchemeVista";
}

std::optional<FailureReport> RefuseRequest(StepOperation operation, const PwrScheme& request, TextExactness exact) {
    if (auto refusal = RefuseText(PlanText::Name, request.CSchName, exact.name)) return refusal;
    if (operation == StepOperation::Create)
        return RefuseText(PlanText::Description, request.CSchDesc, exact.description);
    return std::nullopt;
}

StepPlan DecideStep(StepOperation operation, const PwrScheme& request, const StepFacts& facts) {
    switch (operation) {
        case StepOperation::Create:
            return DecideCreate(request, facts);
        case StepOperation::Modify:
            return DecideModify(request, facts);
        case StepOperation::Delete:
            break;
    }
    return DecideDelete(request, facts);
}

std::string WithNewPlanGuid(const std::string& commandLine, const std::string& planGuid) {
    const std::size_t at = commandLine.find(kNewPlanGuid);
    if (at == std::string::npos) return commandLine;
    std::string filled = commandLine;
    return filled.replace(at, std::char_traits<char>::length(kNewPlanGuid), planGuid);
}
