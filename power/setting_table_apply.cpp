#include "power/setting_table_apply.h"

#include "power/command_failure.h"
#include "power/command_runner.h"
#include "power/setting_table.h"
#include "report/log_writer.h"
#include "run/run_context.h"

bool ApplySettingTable(const char* planGuid, const PwrScheme& request, const char* module) {
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
