#include "check/job_check.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "check/check_output.h"
#include "check/model_machine.h"
#include "check/step_report.h"
#include "jobdoc/header_names.h"
#include "jobdoc/job_document.h"
#include "power/job_steps.h"
#include "power/plan_step.h"
#include "power/step_action.h"
#include "power/this_machine.h"
#include "win/file_helpers.h"
#include "win/owners.h"
#include "win/text_convert.h"

namespace {
// Each step as the executor's step loop carries it out, against the model.
class CheckedSteps final : public StepCarrier {
public:
    explicit CheckedSteps(ModelMachine& machine) : machine_(machine) {}

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
        if (outcome.IsFailure()) PrintLine(machine_.Shown(RefusalLine(outcome.Status())));
        return outcome;
    }

private:
    ModelMachine& machine_;
};

NextStep ReadStepOf(JobDocument& document, PwrScheme& step, std::string& errorText) {
    switch (document.ReadNextStep(step, errorText)) {
        case StepRead::Read:
            return NextStep::Read;
        case StepRead::End:
            return NextStep::End;
        case StepRead::Failed:
            break;
    }
    return NextStep::Unreadable;
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
    const bool powerJob = ReadPowerJobHeader(document, header);
    PrintLine("job " + shownPath + ": function \"" + std::string(std::string_view(header.XmlFuncName)) + "\"");
    // The run ends there, changing nothing and posting nothing.
    if (!powerJob) {
        PrintLine(std::string("the job would not run: its function is not \"") + kPowerJobFunction + "\"");
        return kExitFails;
    }

    // This machine's listing is kept in memory: the check writes no file.
    const ListingOf whose = saved ? ListingOf::AnotherMachine : ListingOf::ThisMachine;
    ModelMachine machine([&] { return saved ? PlansFromListingText(*saved) : ListPlans(std::string()); }, whose,
                         ThisMachineFacts());
    CheckedSteps steps(machine);
    const StepsEnd end = CarryOutSteps(
        [&](PwrScheme& step, std::string& errorText) { return ReadStepOf(document, step, errorText); }, steps);
    PrintLine(machine.Shown(SummaryLine(end.failedStep, end.outcome.Status())));
    return end.failedStep == 0 ? kExitSound : kExitFails;
}
