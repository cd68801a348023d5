#include "check/job_check.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "check/check_facts.h"
#include "check/check_output.h"
#include "check/listing_text.h"
#include "check/model_machine.h"
#include "check/step_changes.h"
#include "check/step_report.h"
#include "jobdoc/header_names.h"
#include "jobdoc/job_document.h"
#include "power/hibernation.h"
#include "power/job_steps.h"
#include "power/plan_values.h"
#include "power/plan_step.h"
#include "power/step_action.h"
#include "power/this_machine.h"
#include "win/file_helpers.h"
#include "win/owners.h"
#include "win/text_convert.h"

namespace {
// What the steps would do to the machine, summed over the job.
struct JobChanges {
    bool changes = false;
    bool unknown = false;
};

// Each step as the executor's step loop carries it out, against the model.
class CheckedSteps final : public StepCarrier {
public:
    explicit CheckedSteps(ModelMachine& machine) : machine_(machine) {}

    const JobChanges& Changes() const { return changes_; }

    Outcome Unreadable(int number, const std::string& errorText) override {
        PrintLine("step " + std::to_string(number) + ": not readable");
        return Outcome::Failed(errorText);
    }
    void Skipped(int number, const PwrScheme& step) override {
        PrintLine(SkippedStepLine(number, std::string_view(step.CAction), std::string_view(step.CSchName)));
    }
    Outcome Carry(int number, const StepAction& action, const PwrScheme& step) override {
        PrintLine(StepTitle(number, std::string_view(step.CAction), std::string_view(step.CSchName)));
        Outcome outcome = RunPlanStep(action.operation, step, machine_);
        const StepChanges changes = machine_.TakeChanges();
        for (const std::string& line : ChangeLines(changes)) PrintLine(machine_.Shown(line));
        changes_.changes = changes_.changes || changes.Changes();
        changes_.unknown = changes_.unknown || changes.unknown;
        if (outcome.IsFailure()) PrintLine(machine_.Shown(RefusalLine(outcome.Status())));
        return outcome;
    }

private:
    ModelMachine& machine_;
    JobChanges changes_;
};

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
// A saved listing: its bytes as the file holds them, or why it is refused.
struct SavedListing {
    std::optional<ListingText> text;
    std::string refusal;
};

SavedListing ReadSavedListing(const std::wstring& path, const SavedOutput& saved = kSavedListing) {
    if (path.empty()) return {};
    const std::optional<std::string> bytes = ReadListingFile(path);
    if (!bytes) return {std::nullopt, "cannot read " + std::string(saved.file) + " " + WideToAnsiShown(path)};
    ListingText text = ClassifyListing(*bytes, saved);
    // PowerShell re-encodes what it redirects; the console's own bytes are wanted.
    if (text.refusal) return {std::nullopt, *text.refusal};
    return {std::move(text), {}};
}

// What the model knows besides the plans: this machine's values, read with
// one "powercfg /q" per plan when first wanted, and its hibernation switch;
// or another machine's saved values, where its switch cannot be read.
ModelStart StartOfModel(bool anotherMachine, const std::optional<ListingText>& savedValues) {
    ModelStart start;
    if (anotherMachine) {
        if (savedValues) start.values = ParsePlanValues(savedValues->bytes);
        return start;
    }
    start.readValues = QueryPlanValues;
    start.hibernationOn = HibernationOn();
    return start;
}

// The exit code of a check for compliance, with the line that says why.
int ComplianceVerdict(const StepsEnd& end, const JobChanges& changes) {
    const char* verdict = end.failedStep != 0 ? "the job would fail"
                          : changes.changes   ? "the job would change this machine"
                          : changes.unknown   ? "a plan's values or hibernation cannot be read"
                                              : nullptr;
    PrintLine(std::string("compliance: ") + (verdict ? verdict : "the machine is as the job would leave it"));
    return verdict ? kExitFails : kExitSound;
}

// Runs the job's steps against the model machine and prints how it ends.
int CheckSteps(JobDocument& document, const CheckArgs& args, const SavedListing& saved, const CheckFacts& used,
               const SavedListing& values) {
    // This machine's listing is kept in memory: the check writes no file.
    const bool another = saved.text.has_value();
    const auto list = [&] {
        return another ? PlansFromListingText(saved.text->bytes, ListingTextBytes(saved.text->encoding), used.pages)
                       : ListPlans(std::string());
    };
    ModelMachine machine(list, another ? ListingOf::AnotherMachine : ListingOf::ThisMachine,
                         DecisionFacts(used, args.facts.windows.has_value()), StartOfModel(another, values.text));
    CheckedSteps steps(machine);
    const StepsEnd end = CarryOutSteps(
        [&](PwrScheme& step, std::string& errorText) { return document.ReadNextStep(step, errorText); }, steps);
    PrintLine(machine.Shown(SummaryLine(end.failedStep, end.outcome.Status())));
    if (args.compliance) return ComplianceVerdict(end, steps.Changes());
    return end.failedStep == 0 ? kExitSound : kExitFails;
}
}  // namespace

int CheckJob(const CheckArgs& args) {
    const SavedListing saved = ReadSavedListing(args.listingPath);
    if (!saved.refusal.empty()) return Unusable(saved.refusal);
    const SavedListing values = ReadSavedListing(args.valuesPath, kSavedValues);
    if (!values.refusal.empty()) return Unusable(values.refusal);
    const CheckFacts used = ResolveFacts(args.facts, ThisMachineCheckFacts());

    const std::wstring jobPath = FullPath(args.jobPath);
    const std::string shownPath = WideToAnsiShown(jobPath);
    JobDocument document(used.pages);
    JobHeader header{};
    std::string errorText;
    if (!document.Create(errorText)) return Unusable("the XML engine cannot be started: " + errorText);
    if (!FileExists(jobPath)) return Unusable("the job document does not exist: " + shownPath);
    if (!document.Load(jobPath.c_str(), header.XmlRootName, errorText))
        return Unusable("the job document cannot be loaded: " + errorText);
    const bool powerJob = ReadPowerJobHeader(document, header);
    PrintLine("job " + shownPath + ": function \"" + std::string(std::string_view(header.XmlFuncName)) + "\"");
    PrintLine(
        FactsLine(used, args.facts, saved.text ? ListingTextBytes(saved.text->encoding) : TextBytes::ConsoleCodePage));
    // The run ends there, changing nothing and posting nothing.
    if (!powerJob) {
        PrintLine(std::string("the job would not run: its function is not \"") + kPowerJobFunction + "\"");
        if (args.compliance) PrintLine("compliance: the job would fail");
        return kExitFails;
    }
    return CheckSteps(document, args, saved, used, values);
}
