#include "power/plan_steps.h"

#include "base/fixed_text.h"
#include "power/command_failure.h"
#include "power/command_runner.h"
#include "power/hibernation.h"
#include "power/plan_commands.h"
#include "power/setting_table.h"
#include "report/log_writer.h"
#include "run/run_context.h"
#include "win/os_info.h"

bool LogOsDescription(const char* module) {
    char description[256] = {};
    if (!GetOSDisplayString(description, g_ctx.OsCode)) {
        LogLine(module, "Error", "GetOSDisplayString", "OS Desc", "");
        StoreTextCut(g_ctx.StatusDescription, "Get OS Description");
        return false;
    }
    LogLine(module, "Info", "GetOSDisplayString", "OS Desc", description);
    return true;
}

bool SwitchHibernation(const PwrScheme& request, const char* module, const char* enableFailureHint) {
    LogLine(module, "Info", request.CSchName, "Hibernate Action", request.CEnaHiber);
    if (!HibernationSupported()) {
        LogLine(module, "Info", request.CSchName, "Hibernate", "Not Supported");
        return true;
    }
    // The switch is machine-wide. Its failures carry no system text: POWERCFG
    // refusing it almost always means the hardware cannot hibernate.
    if (OptionIsOn(request.CEnaHiber)) {
        if (!ExecuteCMD(PowercfgProgram(), HibernateCommand(true).c_str())) {
            StoreTextCut(g_ctx.StatusDescription, "Failed to Enable Hibernate : System does not support hibernation");
            LogLine(module, "Failed", "ExecuteCommand", "Might be System does not support hibernation",
                    enableFailureHint);
            return false;
        }
        LogLine(module, "Success", "Hibernate", "", "On");
        return true;
    }
    if (!ExecuteCMD(PowercfgProgram(), HibernateCommand(false).c_str())) {
        StoreTextCut(g_ctx.StatusDescription, "Failed to Disable Hibernate : System does not support hibernation");
        LogLine(module, "Failed", "ExecuteCommand", "Might be System does not support hibernation",
                "Kindly check by fireing the command:- Powercfg.exe -H OFF");
        return false;
    }
    LogLine(module, "Success", "Hibernate", "", "Off");
    return true;
}

bool ActivateIfRequested(const PwrScheme& request, const std::string& planGuid, const char* module) {
    LogLine(module, "Info", request.CSchName, "Activate Action", request.CSchActive);
    if (!OptionIsOn(request.CSchActive)) return true;
    if (!ExecuteCMD(PowercfgProgram(), ActivateCommand(planGuid).c_str())) {
        ReportCommandFailure(module, "Failed to set power scheme as active : ");
        return false;
    }
    return true;
}

bool ReactivateAfterWrites(const PwrScheme& request, const std::string& planGuid, const char* module) {
    if (OptionIsOn(request.CSchActive)) return true;
    LogLine(module, "Info", request.CSchName, "Active Scheme", "Set Active Again");
    if (!ExecuteCMD(PowercfgProgram(), ActivateCommand(planGuid).c_str())) {
        ReportCommandFailure(module, "Failed to set power scheme as active again to apply its settings : ");
        return false;
    }
    return true;
}
