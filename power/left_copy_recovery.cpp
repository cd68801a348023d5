#include "power/left_copy_recovery.h"

#include <vector>

#include "base/text.h"
#include "power/command_runner.h"
#include "power/left_copy.h"
#include "power/left_copy_record.h"
#include "power/plan_commands.h"
#include "power/scheme_list.h"
#include "power/this_machine.h"

namespace {
const SchemeEntry* ListedPlan(const std::vector<SchemeEntry>& listing, const std::string& guid) {
    for (const SchemeEntry& entry : listing)
        if (EqualsNoCaseAscii(entry.SchemeGuid, guid)) return &entry;
    return nullptr;
}

// A built-in plan is never taken for a copy, whatever the record says.
bool IsBasePlan(const std::string& guid) {
    for (const char* basedOn : {"1", "2", "3"})
        if (EqualsNoCaseAscii(guid, BasePlanGuid(basedOn))) return true;
    return false;
}

void RecoverLeftCopy(const Reporter& reporter, const std::string& recordPath, const SchemeEntry& copy,
                     const std::vector<SchemeEntry>& listing) {
    const std::string& guid = copy.SchemeGuid;
    const SchemeEntry* plan = ListedPlan(listing, guid);
    if (plan == nullptr || IsBasePlan(guid) || !SameSchemeName(plan->SchemeName, copy.SchemeName)) {
        reporter.Line("Info", "Left Copy", guid, "No Longer Named Like Base Scheme");
        ForgetLeftCopy(recordPath, guid);
        return;
    }
    reporter.Line("Info", "Left Copy", guid, "Deleting Copy Left By Stopped Run");
    if (!ExecuteCMD(PowercfgProgram(), DeleteCommand(guid).c_str()).Succeeded()) {
        reporter.Line("Failed", "Left Copy", guid, "Copy Named Like Base Scheme Left");
        return;
    }
    reporter.Line("Success", "Left Copy", guid, "Deleted");
    ForgetLeftCopy(recordPath, guid);
}
}  // namespace

void RecoverLeftCopies(const Reporter& reporter, const std::string& recordPath) {
    const std::vector<SchemeEntry> copies = ReadLeftCopies(recordPath);
    if (copies.empty()) return;
    const PlanListing listing = ListPlans(ListingFilePath());
    for (const SchemeEntry& copy : copies) {
        if (listing.refusal)
            reporter.Line("Failed", "Left Copy", copy.SchemeGuid, "Not Checked, Scheme List Not Read");
        else
            RecoverLeftCopy(reporter, recordPath, copy, listing.plans);
    }
}

std::optional<FailureReport> RefuseForLeftCopy(const std::string& recordPath, const PwrScheme& request) {
    for (const SchemeEntry& copy : ReadLeftCopies(recordPath))
        if (SameSchemeName(copy.SchemeName, request.CSchName)) return LeftCopyRefusal(copy, request.CSchName);
    return std::nullopt;
}
