#include "power/plan_step.h"

#include <algorithm>
#include <string>

#include "base/text.h"
#include "power/plan_commands.h"
#include "power/scheme_list_parse.h"

namespace {

// The step's lines go under the module of the operation carrying it out.
struct StepLog {
    PowerSystem& system;
    const char* module;
    void Line(std::string type, std::string val1, std::string val2, std::string val3) const {
        system.Log(module, {std::move(type), std::move(val1), std::move(val2), std::move(val3)});
    }
};

Outcome Report(const StepLog& log, const FailureReport& failure, const CommandFailure& cause = {}) {
    if (failure.kind == FailureReport::Kind::CommandFailure)
        return ReportCommandFailure(log.system, log.module, failure, cause);
    if (failure.line) log.system.Log(log.module, *failure.line);
    return Outcome::Failed(failure.status);
}

bool Listed(const std::vector<SchemeEntry>& listing, const std::string& guid) {
    return std::any_of(listing.begin(), listing.end(),
                       [&](const SchemeEntry& entry) { return EqualsNoCaseAscii(entry.SchemeGuid, guid); });
}

// The copy of the base plan that a creation makes: its GUID once the
// duplication has printed it.
struct NewCopy {
    std::string guid;
};

// How a creation or modification is refused when the system cannot be named.
FailureReport SystemNotDescribed() {
    FailureReport refusal;
    refusal.status = "Get OS Description";
    refusal.line = PlannedLine{"Error", "GetOSDisplayString", "OS Desc", ""};
    return refusal;
}

// A copy that was not renamed still carries the base plan's name, and a later
// step naming the base plan could take it for the base plan: it is deleted.
// When that fails too, the status description says which copy was left, and
// `deleted` is false.
Outcome DeleteUnrenamedCopy(const StepLog& log, const std::string& planGuid, Outcome failure, bool& deleted) {
    log.Line("Info", "DELETE", planGuid, "Deleting Copy Named Like Base Scheme");
    deleted = log.system.Run(DeleteCommand(planGuid)).Succeeded();
    if (deleted) return failure;
    log.Line("Failed", "DELETE", planGuid, "Copy Named Like Base Scheme Left");
    // The copy's GUID must survive the cut to the status description's size.
    const std::string note = "; a copy named like the base scheme was left, Scheme GUID " + planGuid;
    std::string status(TrimWhite(failure.Status()));
    status.resize(std::min(status.size(), kStatusLimit - note.size()));
    return Outcome::Failed(status + note);
}

// The copy is recorded before any other command runs, so a run ended before
// the rename leaves a record that the next run deletes the copy by. A copy
// that cannot be recorded is deleted at once.
std::optional<Outcome> RecordNewCopy(const StepLog& log, const std::string& guid, const std::string& printed) {
    const std::optional<unsigned long> error = log.system.RecordCopy(guid, printed);
    if (!error) return std::nullopt;
    const std::string text = log.system.ErrorText(*error);
    log.Line("Failed", "Left Copy", std::to_string(*error), text);
    const Outcome failed =
        Outcome::Failed("Not Able to Create Scheme : the new scheme could not be recorded : " + text);
    bool deleted = false;
    return DeleteUnrenamedCopy(log, guid, failed, deleted);
}

// Copies the base plan and sets the new plan's GUID; a failure when no plan
// can be trusted to be the new one: a duplication that could not run or ended
// with an exit code other than 0, or whose output names no plan, or names one
// that the listing before it already held (the base plan, say). No command
// may run on such a GUID, so nothing but the untrusted copy is left.
std::optional<Outcome> Duplicate(const StepLog& log, const PlannedCommand& command,
                                 const std::vector<SchemeEntry>& listing, NewCopy& copy) {
    const CommandResult result = log.system.RunCaptured(command.commandLine);
    if (!result.Ran()) {
        // A duplication ended at the limit may have made its copy all the same.
        // Its GUID was never read, so the copy cannot be told from one another
        // run is making at the same moment: it is reported, never deleted.
        const bool timedOut = result.failure.cause == CommandFailureCause::TimedOut;
        return Outcome::Failed(timedOut ? command.timedOutStatus : command.failure.status);
    }
    if (result.exitCode != 0) {
        log.Line("Error", "DUPLICATESCHEME", std::to_string(static_cast<int>(result.exitCode)),
                 "Duplicate Scheme Failed");
        return Outcome::Failed(command.failure.status);
    }
    const std::string guid = FirstPlanGuid(result.output);
    if (guid.empty() || Listed(listing, guid)) {
        log.Line("Error", "DUPLICATESCHEME", guid, "No New Scheme Guid");
        return Outcome::Failed(command.failure.status);
    }
    copy.guid = guid;
    return RecordNewCopy(log, guid, result.output);
}

// The rename (the command that deletes the copy when it fails) gives the copy
// its own name: renamed or deleted, the copy is no longer recorded.
std::optional<Outcome> RunCommand(const StepLog& log, const PlannedCommand& command, const NewCopy& copy) {
    const CommandResult result = log.system.Run(WithNewPlanGuid(command.commandLine, copy.guid));
    if (result.Succeeded()) {
        if (command.deletesCopyOnFailure) log.system.ForgetCopy(copy.guid);
        return std::nullopt;
    }
    Outcome failed = Report(log, command.failure, result.failure);
    if (!command.deletesCopyOnFailure) return failed;
    bool deleted = false;
    failed = DeleteUnrenamedCopy(log, copy.guid, std::move(failed), deleted);
    if (deleted) log.system.ForgetCopy(copy.guid);
    return failed;
}

// Logs and runs the plan's actions in order, up to the first failure.
std::optional<Outcome> RunActions(const StepLog& log, const StepPlan& plan, const std::vector<SchemeEntry>& listing) {
    NewCopy copy;
    for (const PlannedAction& action : plan.actions) {
        if (const auto* line = std::get_if<PlannedLine>(&action)) {
            log.system.Log(log.module, *line);
            continue;
        }
        const PlannedCommand& command = std::get<PlannedCommand>(action);
        std::optional<Outcome> failed =
            command.duplicatesPlan ? Duplicate(log, command, listing, copy) : RunCommand(log, command, copy);
        if (failed) return failed;
    }
    return std::nullopt;
}

// What one operation of the step leads to: its end, or the operation that
// carries the step on.
struct OperationEnd {
    std::optional<Outcome> outcome;
    std::optional<StepOperation> handOff;
};

OperationEnd Ended(Outcome outcome) { return {std::move(outcome), std::nullopt}; }

OperationEnd RunOperation(StepOperation operation, const PwrScheme& request, PowerSystem& system) {
    const StepLog log{system, OperationModule(operation)};
    if (const auto refusal = RefuseRequest(operation, request, system.Exactness(request)))
        return Ended(Report(log, *refusal));
    if (const auto refusal = system.LeftCopyRefusal(request)) return Ended(Report(log, *refusal));
    // The system's description is logged before every creation and modification.
    if (operation != StepOperation::Delete) {
        const std::optional<std::string> description = system.DescribeSystem();
        if (!description) return Ended(Report(log, SystemNotDescribed()));
        log.Line("Info", "GetOSDisplayString", "OS Desc", *description);
    }
    PlanListing listing = system.ListPlans();
    if (listing.refusal) return Ended(Report(log, *listing.refusal));

    const StepFacts facts = system.Facts(request, std::move(listing.plans));
    const StepPlan plan = DecideStep(operation, request, facts);
    system.Decided(plan, request);
    if (std::optional<Outcome> failed = RunActions(log, plan, facts.listing)) return Ended(std::move(*failed));
    if (const auto* refused = std::get_if<StepRefused>(&plan.end)) return Ended(Report(log, refused->refusal));
    if (const auto* handOff = std::get_if<StepHandsOff>(&plan.end)) return {std::nullopt, handOff->to};
    return Ended(Outcome::Done());
}

}  // namespace

Outcome RunPlanStep(StepOperation operation, const PwrScheme& request, PowerSystem& system) {
    for (;;) {
        OperationEnd end = RunOperation(operation, request, system);
        if (end.outcome) return std::move(*end.outcome);
        operation = *end.handOff;
    }
}

Outcome ReportCommandFailure(PowerSystem& system, const char* module, const FailureReport& failure,
                             const CommandFailure& cause) {
    std::string status = failure.status;
    if (cause.cause == CommandFailureCause::ExitCode) {
        // Signed, as the command runner logs exit codes. No system call failed,
        // so no system text belongs here.
        const std::string code = std::to_string(static_cast<int>(cause.code));
        const std::string reason = "POWERCFG ended with exit code " + code;
        if (failure.appendReason) status += reason;
        system.Log(module, {"Failed", "ExecuteCommand", code, reason});
        return Outcome::Failed(status);
    }
    const unsigned long error = cause.cause == CommandFailureCause::None ? failure.systemError : cause.code;
    const std::string text = system.ErrorText(error);
    if (failure.appendReason) status += text;
    system.Log(module, {"Failed", "ExecuteCommand", std::to_string(error), text});
    return Outcome::Failed(status);
}
