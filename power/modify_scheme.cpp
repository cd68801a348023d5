// Plan modification: finds the plan by name, switches hibernation, writes the
// setting table and activates the plan when asked (or again, when it was the
// active plan, so that the writes take effect). A missing plan is created
// instead when COverwrite is "1".
#include <optional>
#include <string>
#include <vector>

#include "power/plan_name_check.h"
#include "power/plan_operations.h"
#include "power/plan_steps.h"
#include "power/scheme_list.h"
#include "power/setting_table.h"
#include "power/setting_table_apply.h"
#include "report/fatal_exit.h"
#include "report/log_writer.h"
#include "run/run_context.h"
#include "win/text_convert.h"

namespace {

constexpr char kModule[] = "ModifyPowerSchemeVista";

struct ListedPlan {
    std::string guid;
    bool active;  // the listing marked it as the active plan
};

// The first listed plan of this name, if one is listed. The same name test as
// creation's, so the two never hand a request back and forth.
std::optional<ListedPlan> FirstPlanNamed(const char* name) {
    const std::vector<const SchemeEntry*> plans = PlansNamed(name);
    if (plans.empty()) return std::nullopt;
    return ListedPlan{plans.front()->SchemeGuid, SameTextNoCase(plans.front()->SchemeActive.c_str(), "Yes")};
}

bool ModifyPlan(const PwrScheme& request) {
    if (!RequireSchemeName(request, kModule)) return false;
    g_ctx.SchemeList.clear();
    if (!LogOsDescription(kModule)) return false;

    if (!ListSchemes(kModule)) return false;
    const std::optional<ListedPlan> plan = FirstPlanNamed(request.CSchName);
    if (!plan) {
        LogLine(kModule, "Error", request.CSchName, "", "Scheme Not Present");
        if (OptionIsOn(request.COverwrite)) {
            LogLine(kModule, "Info", request.CSchName, "Create If Not Exist", "Yes");
            LogLine(kModule, "Info", request.CSchName, "", "Creating Scheme");
            return CreatePowerSchemeVista(request);
        }
        LogLine(kModule, "Info", request.CSchName, "Create If Not Exist", "No");
        return true;
    }

    if (!RequireValidSettingValues(request, kModule)) return false;
    if (!SwitchHibernation(request, kModule, "Kindly check by fireing the command:- Powercfg.exe -H On")) return false;
    if (!ApplySettingTable(plan->guid.c_str(), request, kModule)) return false;
    if (!ActivateIfRequested(request, plan->guid, kModule)) return false;
    return !plan->active || ReactivateAfterWrites(request, plan->guid, kModule);
}

}  // namespace

bool ModifyPowerSchemeVista(PwrScheme request) {
    try {
        return ModifyPlan(request);
    } catch (...) {
        ExitAfterException(kModule);
    }
}
