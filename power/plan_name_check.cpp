#include "power/plan_name_check.h"

#include <string>

#include "base/fixed_text.h"
#include "power/plan_text_rules.h"
#include "report/log_writer.h"
#include "run/run_context.h"
#include "win/text_convert.h"

namespace {
bool Refuse(const PlanTextRefusal& refusal, const char* module) {
    StoreTextCut(g_ctx.StatusDescription, refusal.status);
    LogLine(module, "Error", refusal.logValue1, "", refusal.logValue3);
    return false;
}
}  // namespace

bool RequireSchemeName(const PwrScheme& request, const char* module) {
    const std::string name(FieldText(request.CSchName));
    const bool exact = !request.CSchNameInexact && SurvivesConsoleCodePage(name);
    if (const auto refusal = CheckPlanText(PlanText::Name, name, exact)) return Refuse(*refusal, module);
    return true;
}

bool RequireSchemeDescription(const PwrScheme& request, const char* module) {
    const std::string description(FieldText(request.CSchDesc));
    if (const auto refusal = CheckPlanText(PlanText::Description, description, !request.CSchDescInexact))
        return Refuse(*refusal, module);
    return true;
}
