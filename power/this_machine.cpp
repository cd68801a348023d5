#include "power/this_machine.h"

#include <windows.h>

#include "base/command_quote.h"
#include "power/command_runner.h"
#include "power/exact_plan_names.h"
#include "power/hibernation.h"
#include "power/left_copy_record.h"
#include "power/left_copy_recovery.h"
#include "power/scheme_list.h"
#include "power/scheme_list_parse.h"
#include "report/log_writer.h"
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

TextExactness RequestExactness(const PwrScheme& request) { return RequestExactness(request, ThisMachineCodePages()); }

TextExactness RequestExactness(const PwrScheme& request, const CodePages& pages) {
    TextExactness exact;
    exact.name = !request.CSchNameInexact && SurvivesConsoleCodePage(request.CSchName, pages);
    exact.description = !request.CSchDescInexact;
    return exact;
}

PlanListing ListPlans(const std::string& capturePath) {
    // Only a fresh capture is read: a file that could not be replaced still
    // holds an earlier listing, whose plans may be gone.
    if (!capturePath.empty() && FileExists(capturePath)) DeleteFileA(capturePath.c_str());
    const CommandResult result =
        CreateChildProcess(PowercfgProgram(), kListCommand, capturePath.empty() ? nullptr : capturePath.c_str());
    if (!result.Ran())
        return Refused("", "Listing Not Run", "Not Able to List Power Schemes : powercfg.exe /l could not be run");
    if (result.exitCode != 0) {
        // Signed, as the command runner logs exit codes.
        const std::string code = std::to_string(static_cast<int>(result.exitCode));
        return Refused(code, "Listing Failed",
                       "Not Able to List Power Schemes : powercfg.exe /l ended with exit code " + code);
    }
    return PlansFromListingText(result.output);
}

std::optional<std::string> QueryPlanValues(const std::string& planGuid) {
    const std::string command = "powercfg.exe /q " + QuoteArgument(planGuid);
    CommandResult result = CreateChildProcess(PowercfgProgram(), command.c_str(), nullptr);
    if (!result.Succeeded()) return std::nullopt;
    return std::move(result.output);
}

PlanListing PlansFromListingText(const std::string& bytes) {
    return PlansFromListingText(bytes, TextBytes::ConsoleCodePage, ThisMachineCodePages());
}

PlanListing PlansFromListingText(const std::string& bytes, TextBytes from, const CodePages& pages) {
    // Every Windows installation has a plan: a listing without one is broken.
    PlanListing listing;
    listing.plans = SchemesFromListing(bytes, from, pages);
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

StepFacts MachineFacts(const PwrScheme& request, std::vector<SchemeEntry> listing, ListingOf whose) {
    return MachineFacts(request, std::move(listing), whose, ThisMachineCodePages());
}

StepFacts MachineFacts(const PwrScheme& request, std::vector<SchemeEntry> listing, ListingOf whose,
                       const CodePages& pages) {
    StepFacts facts = PlanFacts(request, std::move(listing), whose, pages);
    char description[256] = {};
    static_cast<void>(GetOSDisplayString(description, facts.osCode));
    facts.vistaOrLater = IsVistaOrLaterOs();
    facts.hibernationSupported = HibernationSupported();
    return facts;
}

StepFacts PlanFacts(const PwrScheme& request, std::vector<SchemeEntry> listing, ListingOf whose,
                    const CodePages& pages) {
    StepFacts facts;
    std::optional<ExactPlanNames> exactNames;  // loaded for the first plan of the name
    for (const SchemeEntry& entry : listing) {
        bool lookAlike = false;
        const bool named = SameSchemeName(entry.SchemeName, request.CSchName, pages.ansi);
        if (named && whose == ListingOf::ThisMachine) {
            if (!exactNames) exactNames.emplace();
            const std::optional<std::wstring> exact = exactNames->Read(entry.SchemeGuid);
            lookAlike = exact && !SameExactName(*exact, request.CSchName);
        }
        facts.namedAsRequested.push_back(named && !lookAlike);
        facts.lookAlike.push_back(lookAlike);
    }
    facts.listing = std::move(listing);
    facts.leadBytes = CodePageLeadBytes(pages.ansi);
    return facts;
}

void ThisMachine::Log(const char* module, const PlannedLine& line) {
    LogLine(module, line.type, line.val1, line.val2, line.val3);
}

std::string ThisMachine::ErrorText(unsigned long error) { return SystemErrorText(error); }

std::optional<FailureReport> ThisMachine::LeftCopyRefusal(const PwrScheme& request) {
    return RefuseForLeftCopy(copyRecord_, request);
}

PlanListing ThisMachine::ListPlans() { return ::ListPlans(ListingFilePath()); }

CommandResult ThisMachine::Run(const std::string& commandLine) {
    return ExecuteCMD(PowercfgProgram(), commandLine.c_str());
}

CommandResult ThisMachine::RunCaptured(const std::string& commandLine) {
    const std::string capture = ListingFilePath();
    if (FileExists(capture)) DeleteFileA(capture.c_str());
    return CreateChildProcess(PowercfgProgram(), commandLine.c_str(), capture.c_str());
}

std::optional<unsigned long> ThisMachine::RecordCopy(const std::string& guid, const std::string& printed) {
    SchemeEntry entry;
    for (const SchemeEntry& plan : SchemesFromListing(printed))
        if (plan.SchemeGuid == guid) entry = plan;
    entry.SchemeGuid = guid;
    if (RecordLeftCopy(copyRecord_, entry)) return std::nullopt;
    return GetLastError();
}

void ThisMachine::ForgetCopy(const std::string& guid) { ForgetLeftCopy(copyRecord_, guid); }
