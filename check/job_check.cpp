#include "check/job_check.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "check/check_output.h"
#include "check/step_report.h"
#include "check/temp_file.h"
#include "jobdoc/header_names.h"
#include "jobdoc/job_document.h"
#include "power/step_action.h"
#include "power/step_machine.h"
#include "win/file_helpers.h"
#include "win/owners.h"
#include "win/text_convert.h"

namespace {
// The plans every step decides against: a saved listing's, or this machine's,
// listed when a step first needs them, then as the steps before would leave
// them (the executor lists afresh before every step, after the earlier
// steps' commands have run).
class StepListing {
public:
    explicit StepListing(std::optional<std::string> savedBytes) : saved_(std::move(savedBytes)) {}
    const PlanListing& Get() {
        if (listing_) return *listing_;
        if (saved_) {
            listing_ = PlansFromListingText(*saved_);
        } else {
            const TempFile capture(TempFolder());
            listing_ = ListPlans(capture.path());
        }
        return *listing_;
    }
    // A saved listing's plans are another machine's: this one's power API
    // cannot confirm their names.
    ListingOf Whose() const { return saved_ ? ListingOf::AnotherMachine : ListingOf::ThisMachine; }
    void After(const StepPlan& plan, const PwrScheme& step, const StepFacts& facts) {
        if (listing_ && !listing_->refusal) listing_->plans = ListingAfter(plan, step, facts);
    }

private:
    std::optional<std::string> saved_;
    std::optional<PlanListing> listing_;
};

// How the job ends: at which step (0 when none fails) and with what status.
struct JobOutcome {
    int failedStep = 0;
    std::string status;
};

// The step's plan lines; the refusal's status when it would fail.
std::optional<std::string> ShowPlan(const StepPlan& plan, const PwrScheme& step) {
    for (const std::string& line : PlanLines(plan, step, ActionOf(plan.handOffTo).action)) PrintLine(line);
    if (plan.end != StepEnd::Refused) return std::nullopt;
    return RefusalStatus(plan.refusal);
}

// One step of a known action, as the executor runs it: refused by its request
// alone, by the listing, or decided against the listing; a step handed on to
// the other operation goes through all of it again as that operation.
std::optional<std::string> CheckStep(StepOperation operation, const PwrScheme& step, StepListing& listing) {
    for (;;) {
        if (const std::optional<FailureReport> refusal = RefuseRequest(operation, step, RequestExactness(step)))
            return RefusalStatus(*refusal);
        if (operation != StepOperation::Delete && !SystemDescription()) return RefusalStatus(SystemNotDescribed());
        const PlanListing& plans = listing.Get();
        if (plans.refusal) return RefusalStatus(*plans.refusal);
        const StepFacts facts = MachineFacts(step, plans.plans, listing.Whose());
        const StepPlan plan = DecideStep(operation, step, facts);
        if (std::optional<std::string> status = ShowPlan(plan, step)) return status;
        listing.After(plan, step, facts);
        if (plan.end != StepEnd::HandsOff) return std::nullopt;
        operation = plan.handOffTo;
    }
}

// The steps as the executor's step loop reads them, up to the first failure.
JobOutcome CheckSteps(JobDocument& document, StepListing& listing) {
    PwrScheme step{};
    std::string errorText;
    for (int number = 1;; ++number) {
        const StepRead read = document.ReadNextStep(step, errorText);
        if (read == StepRead::End) return {};
        if (read == StepRead::Failed) {
            PrintLine("step " + std::to_string(number) + ": not readable");
            return {number, errorText};
        }
        const std::string_view action(step.CAction), name(step.CSchName);
        const StepAction* known = FindStepAction(action);
        if (known == nullptr) {
            PrintLine(SkippedStepLine(number, action, name));
            continue;
        }
        PrintLine(StepTitle(number, action, name));
        if (const std::optional<std::string> status = CheckStep(known->operation, step, listing)) {
            PrintLine(RefusalLine(*status));
            return {number, *status};
        }
    }
}

// The whole file, by its exact UTF-16 path; nothing when it cannot be read.
std::optional<std::string> ReadListingFile(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char block[64 * 1024];
    DWORD got = 0;
    while (ReadFile(file.get(), block, sizeof block, &got, nullptr)) {
        if (got == 0) return bytes;
        bytes.append(block, got);
    }
    return std::nullopt;
}

int Unusable(const std::string& reason) {
    PrintErrorLine("KestrovaneCheck: " + reason);
    return kExitUnusable;
}

// The path a relative one names from the current folder, as the agent would
// name it.
std::wstring FullPath(const std::wstring& path) {
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring full(n, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), n, &full[0], nullptr);
    if (written == 0 || written >= n) return path;
    full.resize(written);
    return full;
}
}  // namespace

int CheckJob(const CheckArgs& args) {
    std::optional<std::string> saved;
    if (!args.listingPath.empty()) {
        saved = ReadListingFile(args.listingPath);
        if (!saved) return Unusable("cannot read the listing " + WideToAnsiShown(args.listingPath));
        // PowerShell re-encodes what it redirects; the console's own bytes are wanted.
        if (saved->rfind("\xFF\xFE", 0) == 0)
            return Unusable("the listing is UTF-16 text; save it in a Command Prompt with: powercfg /l > FILE");
    }
    const std::wstring jobPath = FullPath(args.jobPath);
    const std::string shownPath = WideToAnsiShown(jobPath);
    JobDocument document;
    JobHeader header{};
    std::string errorText;
    if (!document.Create(errorText)) return Unusable("the XML engine cannot be started: " + errorText);
    if (!FileExists(jobPath)) return Unusable("the job document does not exist: " + shownPath);
    if (!document.Load(jobPath.c_str(), header.XmlRootName, errorText))
        return Unusable("the job document cannot be loaded: " + errorText);
    document.InitScriptInstance(header);
    // As in a run, a header that cannot be read leaves its fields empty.
    static_cast<void>(document.ReadHeader(header, errorText));
    PrintLine("job " + shownPath + ": function \"" + std::string(std::string_view(header.XmlFuncName)) + "\"");
    // The run ends there, changing nothing and posting nothing.
    if (!SameTextNoCase(header.XmlFuncName, kPowerJobFunction)) {
        PrintLine(std::string("the job would not run: its function is not \"") + kPowerJobFunction + "\"");
        return kExitFails;
    }

    StepListing listing(std::move(saved));
    const JobOutcome outcome = CheckSteps(document, listing);
    PrintLine(SummaryLine(outcome.failedStep, outcome.status));
    return outcome.failedStep == 0 ? kExitSound : kExitFails;
}
