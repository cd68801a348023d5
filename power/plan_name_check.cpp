#include "power/plan_name_check.h"

#include "base/fixed_text.h"
#include "report/log_writer.h"
#include "run/run_context.h"

bool RequireSchemeName(const PwrScheme& request, const char* module) {
    if (request.CSchName[0] != '\0') return true;
    StoreTextCut(g_ctx.StatusDescription, "Scheme Name is empty hence not processed");
    LogLine(module, "Error", "Scheme Name", "", "Scheme Name Empty");
    return false;
}
