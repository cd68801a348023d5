#include "power/setting_table_apply.h"

#include "base/fixed_text.h"
#include "power/command_failure.h"
#include "power/command_runner.h"
#include "power/setting_table.h"
#include "report/log_writer.h"
#include "run/run_context.h"

bool RequireValidSettingValues(const PwrScheme& request, const char* module) {
    const auto refusal = CheckSettingValues(request, g_ctx.OsCode);
    if (!refusal) return true;
    StoreTextCut(g_ctx.StatusDescription, refusal->status);
    LogLine(module, "Error", "Invalid Setting Value", refusal->setting, refusal->value);
    return false;
}

bool ApplySettingTable(const char* planGuid, const PwrScheme& request, const char* module) {
    // The operations have checked the values already; a value POWERCFG cannot
    // take is never sent, whoever calls.
    if (!RequireValidSettingValues(request, module)) return false;
    for (const PlannedWrite& step : PlanSettingWrites(request, planGuid, g_ctx.OsCode)) {
        if (step.kind == PlannedWrite::Kind::NotSupportedNotice) {
            LogLine(module, "Info", "System cooling policy", "", "System Not Supported");
            continue;
        }
        LogLine(module, "Info", request.CSchName, step.label, step.rawValue);
        if (!ExecuteCMD(PowercfgProgram(), step.command.c_str())) {
            ReportCommandFailure(module, step.failureMessage);
            return false;
        }
    }
    return true;
}
