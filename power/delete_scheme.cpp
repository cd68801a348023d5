#include <string>
#include <vector>

#include "base/command_quote.h"
#include "base/fixed_text.h"
#include "power/command_failure.h"
#include "power/command_runner.h"
#include "power/plan_commands.h"
#include "power/plan_name_check.h"
#include "power/plan_operations.h"
#include "power/scheme_list.h"
#include "report/fatal_exit.h"
#include "report/log_writer.h"
#include "run/run_context.h"
#include "win/text_convert.h"

namespace {
constexpr char kModule[] = "DeletePowerSchemeVista";

struct PlanMatch {
    std::string name;
    std::string guid;
    bool active;
};

// The listed plans named `name`, in listing order.
std::vector<PlanMatch> MatchingPlans(const std::string& name) {
    std::vector<PlanMatch> matches;
    for (const SchemeEntry* entry : PlansNamed(name.c_str()))
        matches.push_back({entry->SchemeName, entry->SchemeGuid, SameTextNoCase(entry->SchemeActive.c_str(), "Yes")});
    return matches;
}

bool DeleteNamedPlans(const PwrScheme& request) {
    if (!RequireSchemeName(request, kModule)) return false;
    const std::string name(FieldText(request.CSchName));

    if (!ListSchemes(kModule)) return false;
    const std::vector<PlanMatch> matches = MatchingPlans(name);

    LogLine(kModule, "Info", name, "Action", "Delete");
    if (matches.empty()) {
        LogLine(kModule, "Error", name, "", "Scheme Not Present");
        StoreTextCut(g_ctx.StatusDescription, "Scheme not present hence not deleted");
        return false;
    }

    // Each plan is deleted by its GUID; the name only finds the GUIDs.
    for (const PlanMatch& plan : matches) {
        LogLine(kModule, "Info", "Scheme Name", "Delete", plan.name);
        LogLine(kModule, "Info", "Scheme Guid", "Delete", plan.guid);
        if (plan.active) {
            LogLine(kModule, "Failed", "Scheme Is Currently Activated", "Hence Not Deleted.", "");
            StoreTextCut(g_ctx.StatusDescription, "Scheme Is Currently Active hence not Deleted.");
            return false;
        }
        if (!ExecuteCMD(PowercfgProgram(), DeleteCommand(plan.guid).c_str())) {
            ReportCommandFailure(kModule, "Failed to Delete power scheme : ");
            return false;
        }
        LogLine(kModule, "Success", "ExecuteCommand", "", "");
    }
    return true;
}
}  // namespace

bool DeletePowerSchemeVista(PwrScheme request) {
    try {
        return DeleteNamedPlans(request);
    } catch (...) {
        ExitAfterException(kModule);
    }
}
