// Plan creation: duplicates a built-in plan, names it, switches hibernation,
// writes the setting table and activates the plan when asked. A copy that
// cannot be renamed is deleted again. An installed plan of the same name is
// handed to modification when COverwrite is "1".
#include <windows.h>

#include <algorithm>
#include <string>

#include "base/fixed_text.h"
#include "base/text.h"
#include "power/command_failure.h"
#include "power/command_runner.h"
#include "power/plan_commands.h"
#include "power/plan_name_check.h"
#include "power/plan_operations.h"
#include "power/plan_steps.h"
#include "power/scheme_list.h"
#include "power/setting_table.h"
#include "power/setting_table_apply.h"
#include "report/fatal_exit.h"
#include "report/log_writer.h"
#include "run/run_context.h"
#include "win/file_helpers.h"
#include "win/text_convert.h"

namespace {

constexpr char kModule[] = "CreatePowerSchemeVista";

bool Stop(const char* message) {
    StoreTextCut(g_ctx.StatusDescription, message);
    return false;
}

// The rename could not be run: the operation ends with the rename failure
// that suits the request, after the thread's last error was set.
void ReportRenameFailure(const PwrScheme& request) {
    if (request.CSchDesc[0] == '\0')
        ReportCommandFailure(kModule, "Not Able to Change Name : ");
    else if (g_ctx.IsVistaOrLater)
        ReportCommandFailure(kModule,
                             "Not Able to Change Name and Desc : This Command POWERCFG -CHANGENAME cannot be Executed");
    else
        ReportCommandFailure(kModule, "Os Type is XP/2003/2000", AppendSystemText::No);
}

// Everything about the request that can be known before the base plan is
// copied, so that a refused request leaves no copy behind: the base plan is
// one of the built-in ones, and the rename command will fit (a GUID is always
// 36 characters, so any one stands in for the new plan's). Returns the base
// plan's GUID, or nullptr when the operation stops.
const char* CheckBeforeDuplicating(const PwrScheme& request) {
    const char* baseGuid = BasePlanGuid(request.CBasedOn);
    if (baseGuid == nullptr) {
        LogLine(kModule, "Info", "obPwrScheme.CBasedOn", request.CBasedOn, "");
        Stop("Not Able to Create Scheme");
        return nullptr;
    }
    constexpr char kAnyGuid[] = "00000000-0000-0000-0000-000000000000";
    if (!RenameCommand(kAnyGuid, request.CSchName, request.CSchDesc, AnsiLeadBytes())) {
        // A description too long for the command text is refused, never cut.
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        ReportRenameFailure(request);
        return nullptr;
    }
    return baseGuid;
}

// Copies the base plan and returns the new plan's GUID, empty when no plan can
// be trusted to be the new one: a duplication that could not run or ended with
// an exit code other than 0, or whose output names no plan, or names one that
// the listing before it already held (the base plan, say). No command may run
// on such a GUID, so nothing but the untrusted copy is left. `timedOut` tells
// whether the duplication was ended at the command limit.
std::string DuplicateBasePlan(const char* baseGuid, bool& timedOut) {
    const std::string capture = ListingFilePath();
    if (FileExists(capture)) DeleteFileA(capture.c_str());
    unsigned long exitCode = 0;
    if (!CreateChildProcess(PowercfgProgram(), DuplicateCommand(baseGuid).c_str(), capture.c_str(), &exitCode)) {
        timedOut = GetLastError() == ERROR_TIMEOUT;
        return {};
    }
    if (exitCode != 0) {
        LogLine(kModule, "Error", "DUPLICATESCHEME", std::to_string(static_cast<int>(exitCode)),
                "Duplicate Scheme Failed");
        return {};
    }
    const std::string guid = ReadSchemeGuid(capture);
    if (guid.empty() || SchemeListed(guid)) {
        LogLine(kModule, "Error", "DUPLICATESCHEME", guid, "No New Scheme Guid");
        return {};
    }
    return guid;
}

bool RenamePlan(const PwrScheme& request, const std::string& planGuid) {
    const bool withDescription = request.CSchDesc[0] != '\0';
    if (withDescription) LogLine(kModule, "Info", "ExecuteCommand", "CHANGENAME & Desc", request.CSchDesc);
    const auto command = RenameCommand(planGuid, request.CSchName, request.CSchDesc, AnsiLeadBytes());
    if (!withDescription) LogLine(kModule, "Info", "ExecuteCommand", "CHANGENAME", "");

    if (command && ExecuteCMD(PowercfgProgram(), command->c_str())) return true;
    if (!command) SetLastError(ERROR_INSUFFICIENT_BUFFER);
    ReportRenameFailure(request);
    return false;
}

// A copy that was not renamed still carries the base plan's name, and a later
// step naming the base plan could take it for the base plan: it is deleted.
// When that fails too, the status description says which copy was left.
void DeleteUnrenamedCopy(const std::string& planGuid) {
    LogLine(kModule, "Info", "DELETE", planGuid, "Deleting Copy Named Like Base Scheme");
    if (ExecuteCMD(PowercfgProgram(), DeleteCommand(planGuid).c_str())) return;
    LogLine(kModule, "Failed", "DELETE", planGuid, "Copy Named Like Base Scheme Left");
    // The copy's GUID must survive the cut to the field's size.
    const std::string note = "; a copy named like the base scheme was left, Scheme GUID " + planGuid;
    std::string status(TrimWhite(FieldText(g_ctx.StatusDescription)));
    status.resize(std::min(status.size(), sizeof g_ctx.StatusDescription - 1 - note.size()));
    StoreTextCut(g_ctx.StatusDescription, status + note);
}

bool CreatePlan(const PwrScheme& request) {
    if (!RequireSchemeName(request, kModule) || !RequireSchemeDescription(request, kModule)) return false;
    g_ctx.SchemeList.clear();
    if (!LogOsDescription(kModule)) return false;

    if (!ListSchemes(kModule)) return false;
    if (!PlansNamed(request.CSchName).empty()) {
        LogLine(kModule, "Error", request.CSchName, "", "Scheme Already Present");
        if (OptionIsOn(request.COverwrite)) {
            LogLine(kModule, "Info", request.CSchName, "OverWriteIfExist", "Yes");
            LogLine(kModule, "Info", request.CSchName, "", "Modifying Scheme");
            return ModifyPowerSchemeVista(request);
        }
        LogLine(kModule, "Info", request.CSchName, "OverWriteIfExist", "No");
        return true;
    }

    const char* baseGuid = CheckBeforeDuplicating(request);
    if (baseGuid == nullptr || !RequireValidSettingValues(request, kModule)) return false;
    bool timedOut = false;
    const std::string planGuid = DuplicateBasePlan(baseGuid, timedOut);
    // A duplication ended at the limit may have made its copy all the same.
    // Its GUID was never read, so the copy cannot be told from one another run
    // is making at the same moment: it is reported, never deleted.
    if (planGuid.empty() && timedOut)
        return Stop("Not Able to Create Scheme : duplication timed out, a copy named like the base scheme may be left");
    if (planGuid.empty()) return Stop("Not Able to Create Scheme");
    LogLine(kModule, "Info", "Scheme Name", "", request.CSchName);

    if (!RenamePlan(request, planGuid)) {
        DeleteUnrenamedCopy(planGuid);
        return false;
    }
    if (!SwitchHibernation(request, kModule, "Kindly check by fireing the command:- Powercfg.exe -H ON")) return false;
    if (!ApplySettingTable(planGuid.c_str(), request, kModule)) return false;
    return ActivateIfRequested(request, planGuid, kModule);
}

}  // namespace

bool CreatePowerSchemeVista(PwrScheme request) {
    try {
        return CreatePlan(request);
    } catch (...) {
        ExitAfterException(kModule);
    }
}
