#include "power/step_machine.h"

#include <windows.h>

#include "power/command_runner.h"
#include "power/exact_plan_names.h"
#include "power/hibernation.h"
#include "power/scheme_list.h"
#include "power/scheme_list_parse.h"
#include "report/reporter.h"
#include "win/file_helpers.h"
#include "win/os_info.h"
#include "win/text_convert.h"

namespace {
constexpr char kListCommand[] = "powercfg.exe /l";

PlanListing Refused(const std::string& exitCode, const char* reason, std::string status) {
    PlanListing listing;
    FailureReport refusal;
    refusal.status = std::move(status);
    refusal.line = PlannedLine{"Error", "Scheme List", exitCode, reason};
    listing.refusal = std::move(refusal);
    return listing;
}
}  // namespace

TextExactness RequestExactness(const PwrScheme& request) {
    TextExactness exact;
    exact.name = !request.CSchNameInexact && SurvivesConsoleCodePage(request.CSchName);
    exact.description = !request.CSchDescInexact;
    return exact;
}

PlanListing ListPlans(const std::string& capturePath) {
    // Only a fresh capture is read: a file that could not be replaced still
    // holds an earlier listing, whose plans may be gone.
    if (FileExists(capturePath)) DeleteFileA(capturePath.c_str());
    unsigned long exitCode = 0;
    if (!CreateChildProcess(PowercfgProgram(), kListCommand, capturePath.c_str(), &exitCode))
        return Refused("", "Listing Not Run", "Not Able to List Power Schemes : powercfg.exe /l could not be run");
    if (exitCode != 0) {
        // Signed, as the command runner logs exit codes.
        const std::string code = std::to_string(static_cast<int>(exitCode));
        return Refused(code, "Listing Failed",
                       "Not Able to List Power Schemes : powercfg.exe /l ended with exit code " + code);
    }
    return PlansFromListingText(ReadCapturedOutput(capturePath));
}

PlanListing PlansFromListingText(const std::string& bytes) {
    // Every Windows installation has a plan: a listing without one is broken.
    PlanListing listing;
    listing.plans = SchemesFromListing(bytes);
    if (listing.plans.empty())
        return Refused("", "No Scheme Listed",
                       "Not Able to List Power Schemes : powercfg.exe /l listed no power scheme");
    const std::string twice = GuidListedTwice(listing.plans);
    if (!twice.empty())
        return Refused(twice, "Scheme Listed Twice",
                       "Not Able to List Power Schemes : powercfg.exe /l listed the power scheme " + twice + " twice");
    return listing;
}

std::optional<std::string> SystemDescription() {
    char description[256] = {};
    std::int32_t osCode = 0;
    if (!GetOSDisplayString(description, osCode)) return std::nullopt;
    return std::string(description);
}

FailureReport SystemNotDescribed() {
    FailureReport refusal;
    refusal.status = "Get OS Description";
    refusal.line = PlannedLine{"Error", "GetOSDisplayString", "OS Desc", ""};
    return refusal;
}

StepFacts MachineFacts(const PwrScheme& request, std::vector<SchemeEntry> listing, ListingOf whose) {
    StepFacts facts;
    std::optional<ExactPlanNames> exactNames;  // loaded for the first plan of the name
    for (const SchemeEntry& entry : listing) {
        bool lookAlike = false;
        const bool named = SameSchemeName(entry.SchemeName, request.CSchName);
        if (named && whose == ListingOf::ThisMachine) {
            if (!exactNames) exactNames.emplace();
            const std::optional<std::wstring> exact = exactNames->Read(entry.SchemeGuid);
            lookAlike = exact && !SameExactName(*exact, request.CSchName);
        }
        facts.namedAsRequested.push_back(named && !lookAlike);
        facts.lookAlike.push_back(lookAlike);
    }
    facts.listing = std::move(listing);
    char description[256] = {};
    static_cast<void>(GetOSDisplayString(description, facts.osCode));
    facts.vistaOrLater = IsVistaOrLaterOs();
    facts.hibernationSupported = HibernationSupported();
    facts.leadBytes = AnsiLeadBytes();
    return facts;
}

std::string RefusalStatus(const FailureReport& refusal) {
    if (refusal.kind == FailureReport::Kind::CommandFailure && refusal.appendReason)
        return refusal.status + SystemErrorText(refusal.systemError);
    return refusal.status;
}
