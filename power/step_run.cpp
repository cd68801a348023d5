// Runs a plan step: asks the machine what the decision needs, decides, and
// runs what was decided through the command runner, stopping at the first
// failure. A step handed over to the other operation (an existing plan to be
// created over, a missing one to be modified) is asked for and decided again.
#include <windows.h>

#include <algorithm>
#include <string>

#include "base/text.h"
#include "power/command_failure.h"
#include "power/command_runner.h"
#include "power/left_copy_record.h"
#include "power/left_copy_recovery.h"
#include "power/plan_commands.h"
#include "power/plan_operations.h"
#include "power/scheme_list.h"
#include "power/step_decision.h"
#include "power/step_machine.h"
#include "report/fatal_exit.h"
#include "report/reporter.h"
#include "win/file_helpers.h"

namespace {

bool ReportFailure(const Reporter& reporter, const FailureReport& failure) {
    if (failure.kind == FailureReport::Kind::CommandFailure) {
        ReportCommandFailure(reporter, failure);
        return false;
    }
    if (!failure.line) return reporter.Fail(failure.status);
    const PlannedLine& line = *failure.line;
    return reporter.Refuse(failure.status, line.type, line.val1, line.val2, line.val3);
}

// The system's description is logged before every creation and modification.
bool LogOsDescription(const Reporter& reporter) {
    const std::optional<std::string> description = SystemDescription();
    if (!description) return ReportFailure(reporter, SystemNotDescribed());
    reporter.Line("Info", "GetOSDisplayString", "OS Desc", *description);
    return true;
}

// The copy of the base plan that a creation makes: its GUID once the
// duplication has printed it, and the record that names it until it is renamed.
struct NewCopy {
    std::string guid;
    const std::string& recordPath;
};

// A copy that was not renamed still carries the base plan's name, and a later
// step naming the base plan could take it for the base plan: it is deleted.
// When that fails too, the status description says which copy was left.
bool DeleteUnrenamedCopy(const Reporter& reporter, const std::string& planGuid) {
    reporter.Line("Info", "DELETE", planGuid, "Deleting Copy Named Like Base Scheme");
    if (ExecuteCMD(PowercfgProgram(), DeleteCommand(planGuid).c_str())) return true;
    reporter.Line("Failed", "DELETE", planGuid, "Copy Named Like Base Scheme Left");
    // The copy's GUID must survive the cut to the status description's size.
    constexpr std::size_t kStatusLimit = 1023;
    const std::string note = "; a copy named like the base scheme was left, Scheme GUID " + planGuid;
    std::string status(TrimWhite(StatusDescription()));
    status.resize(std::min(status.size(), kStatusLimit - note.size()));
    SetStatusDescription(status + note);
    return false;
}

// The copy is recorded before any other command runs, so a run ended before
// the rename leaves a record that the next run deletes the copy by. A copy
// that cannot be recorded is deleted at once.
bool RecordNewCopy(const Reporter& reporter, const NewCopy& copy, const std::string& capture) {
    SchemeEntry entry;
    for (const SchemeEntry& printed : SchemesFromListing(ReadCapturedOutput(capture)))
        if (printed.SchemeGuid == copy.guid) entry = printed;
    entry.SchemeGuid = copy.guid;
    if (RecordLeftCopy(copy.recordPath, entry)) return true;
    reporter.RefuseWithSystemError("Not Able to Create Scheme : the new scheme could not be recorded : ", "Failed",
                                   "Left Copy", GetLastError());
    static_cast<void>(DeleteUnrenamedCopy(reporter, copy.guid));
    return false;
}

// Copies the base plan and returns the new plan's GUID, empty when no plan can
// be trusted to be the new one: a duplication that could not run or ended with
// an exit code other than 0, or whose output names no plan, or names one that
// the listing before it already held (the base plan, say). No command may run
// on such a GUID, so nothing but the untrusted copy is left.
std::string Duplicate(const Reporter& reporter, const PlannedCommand& command, const std::vector<SchemeEntry>& listing,
                      const std::string& recordPath) {
    const std::string capture = ListingFilePath();
    if (FileExists(capture)) DeleteFileA(capture.c_str());
    unsigned long exitCode = 0;
    if (!CreateChildProcess(PowercfgProgram(), command.commandLine.c_str(), capture.c_str(), &exitCode)) {
        // A duplication ended at the limit may have made its copy all the same.
        // Its GUID was never read, so the copy cannot be told from one another
        // run is making at the same moment: it is reported, never deleted.
        reporter.Fail(GetLastError() == ERROR_TIMEOUT ? command.timedOutStatus : command.failure.status);
        return {};
    }
    if (exitCode != 0) {
        reporter.Line("Error", "DUPLICATESCHEME", std::to_string(static_cast<int>(exitCode)),
                      "Duplicate Scheme Failed");
        reporter.Fail(command.failure.status);
        return {};
    }
    const std::string guid = ReadSchemeGuid(capture);
    if (guid.empty() || SchemeListed(listing, guid)) {
        reporter.Line("Error", "DUPLICATESCHEME", guid, "No New Scheme Guid");
        reporter.Fail(command.failure.status);
        return {};
    }
    return RecordNewCopy(reporter, {guid, recordPath}, capture) ? guid : std::string();
}

// The rename (the command that deletes the copy when it fails) gives the copy
// its own name: renamed or deleted, the copy is no longer recorded.
bool RunCommand(const Reporter& reporter, const PlannedCommand& command, const NewCopy& copy) {
    const std::string commandLine = WithNewPlanGuid(command.commandLine, copy.guid);
    const bool succeeded = ExecuteCMD(PowercfgProgram(), commandLine.c_str());
    if (!succeeded) ReportFailure(reporter, command.failure);
    if (command.deletesCopyOnFailure && (succeeded || DeleteUnrenamedCopy(reporter, copy.guid)))
        ForgetLeftCopy(copy.recordPath, copy.guid);
    return succeeded;
}

// Logs and runs the plan's actions in order; false at the first failure.
bool RunActions(const Reporter& reporter, const StepPlan& plan, const std::vector<SchemeEntry>& listing,
                const std::string& recordPath) {
    NewCopy copy{{}, recordPath};
    for (const PlannedAction& action : plan.actions) {
        if (action.line) {
            const PlannedLine& line = *action.line;
            reporter.Line(line.type, line.val1, line.val2, line.val3);
        }
        if (!action.command) continue;
        if (action.command->duplicatesPlan) {
            copy.guid = Duplicate(reporter, *action.command, listing, recordPath);
            if (copy.guid.empty()) return false;
        } else if (!RunCommand(reporter, *action.command, copy)) {
            return false;
        }
    }
    return true;
}

// One operation of the step. Sets `handOff` when the step goes on as another.
bool RunOperation(StepOperation operation, const PwrScheme& request, const std::string& recordPath,
                  std::optional<StepOperation>& handOff) {
    const Reporter reporter(OperationModule(operation));
    if (const auto refusal = RefuseRequest(operation, request, RequestExactness(request)))
        return ReportFailure(reporter, *refusal);
    if (const auto refusal = RefuseForLeftCopy(recordPath, request)) return ReportFailure(reporter, *refusal);
    if (operation != StepOperation::Delete && !LogOsDescription(reporter)) return false;
    PlanListing listing = ListPlans(ListingFilePath());
    if (listing.refusal) return ReportFailure(reporter, *listing.refusal);

    const StepFacts facts = MachineFacts(request, std::move(listing.plans));
    const StepPlan plan = DecideStep(operation, request, facts);
    if (!RunActions(reporter, plan, facts.listing, recordPath)) return false;
    if (plan.end == StepEnd::Refused) return ReportFailure(reporter, plan.refusal);
    if (plan.end == StepEnd::HandsOff) handOff = plan.handOffTo;
    return true;
}

bool RunPlanStep(StepOperation operation, const PwrScheme& request, const std::string& copyRecord) {
    try {
        for (;;) {
            std::optional<StepOperation> handOff;
            if (!RunOperation(operation, request, copyRecord, handOff)) return false;
            if (!handOff) return true;
            operation = *handOff;
        }
    } catch (...) {
        ExitAfterException(OperationModule(operation));
    }
}

}  // namespace

bool CreatePowerSchemeVista(PwrScheme request, const std::string& copyRecord) {
    return RunPlanStep(StepOperation::Create, request, copyRecord);
}
bool ModifyPowerSchemeVista(PwrScheme request, const std::string& copyRecord) {
    return RunPlanStep(StepOperation::Modify, request, copyRecord);
}
bool DeletePowerSchemeVista(PwrScheme request, const std::string& copyRecord) {
    return RunPlanStep(StepOperation::Delete, request, copyRecord);
}
