#include "power/plan_step.h"

#include <gtest/gtest.h>

#include <map>

#include "power/setting_table.h"

namespace {
constexpr char kBalanced[] = "381b4222-f694-41f0-9685-ff5bb260df2e";
constexpr char kTeam[] = "11111111-0000-0000-0000-000000000001";
constexpr char kCopy[] = "22222222-0000-0000-0000-000000000002";

// A machine that records everything the step does, in order, and answers
// each command by the first scripted result whose text the command holds.
class FakeMachine final : public PowerSystem {
public:
    std::vector<SchemeEntry> plans;
    std::vector<std::pair<std::string, CommandResult>> results;
    std::vector<std::string> events;

    void Log(const char* module, const PlannedLine& l) override {
        events.push_back(std::string(module) + "|" + l.type + "|" + l.val1 + "|" + l.val2 + "|" + l.val3);
    }
    std::string ErrorText(unsigned long error) override { return "system text " + std::to_string(error); }
    TextExactness Exactness(const PwrScheme&) override { return {}; }
    std::optional<FailureReport> LeftCopyRefusal(const PwrScheme&) override { return std::nullopt; }
    std::optional<std::string> DescribeSystem() override { return "Windows 7"; }
    PlanListing ListPlans() override { return {plans, std::nullopt}; }
    StepFacts Facts(const PwrScheme& request, std::vector<SchemeEntry> listing) override {
        StepFacts facts;
        for (const SchemeEntry& plan : listing) {
            facts.namedAsRequested.push_back(plan.SchemeName == std::string(request.CSchName));
            facts.lookAlike.push_back(false);
        }
        facts.listing = std::move(listing);
        facts.osCode = 3;
        facts.hibernationSupported = true;
        return facts;
    }
    void Decided(const StepPlan&, const PwrScheme&) override {}
    CommandResult Run(const std::string& commandLine) override {
        events.push_back("run " + commandLine);
        for (const auto& [text, result] : results)
            if (commandLine.find(text) != std::string::npos) return result;
        return {};
    }
    CommandResult RunCaptured(const std::string& commandLine) override {
        CommandResult printed = Run(commandLine);
        if (printed.Succeeded()) printed.output = std::string("Power Scheme GUID: ") + kCopy + "  (Balanced)\r\n";
        return printed;
    }
    std::optional<unsigned long> RecordCopy(const std::string& guid, const std::string&) override {
        events.push_back("record " + guid);
        return std::nullopt;
    }
    void ForgetCopy(const std::string& guid) override { events.push_back("forget " + guid); }

    // The events without the setting writes and the line before each.
    std::vector<std::string> WithoutSettingWrites() const {
        std::vector<std::string> kept;
        for (std::size_t i = 0; i < events.size(); ++i) {
            const bool write = events[i].find("VALUEINDEX") != std::string::npos;
            if (write) kept.pop_back();
            if (!write) kept.push_back(events[i]);
        }
        return kept;
    }
};

PwrScheme Request(const char* name) {
    PwrScheme request;
    request.CSchName = name;
    request.CBasedOn = "1";
    for (const SettingRow& row : kSettingRows) request.*row.tag->ac.text = request.*row.tag->dc.text = "1";
    request.CStartMenuAC = request.CStartMenuDC = "6";
    return request;
}

CommandResult ExitedWith(unsigned long code) { return {{CommandFailureCause::ExitCode, code}, code, {}}; }
}  // namespace

// A creation over a listed plan goes on as its modification, which makes the
// active plan active again to apply what it wrote.
TEST(PlanStep, CreationOverAListedPlanLogsEveryLineOfTheModification) {
    FakeMachine machine;
    machine.plans = {{"Balanced", kBalanced, "No"}, {"Team", kTeam, "Yes"}};
    PwrScheme request = Request("Team");
    request.COverwrite = request.CEnaHiber = "1";
    const Outcome outcome = RunPlanStep(StepOperation::Create, request, machine);
    EXPECT_FALSE(outcome.IsFailure());
    const std::string create = "CreatePowerSchemeVista|", modify = "ModifyPowerSchemeVista|";
    EXPECT_EQ(machine.WithoutSettingWrites(), (std::vector<std::string>{
                                                  create + "Info|GetOSDisplayString|OS Desc|Windows 7",
                                                  create + "Error|Team||Scheme Already Present",
                                                  create + "Info|Team|OverWriteIfExist|Yes",
                                                  create + "Info|Team||Modifying Scheme",
                                                  modify + "Info|GetOSDisplayString|OS Desc|Windows 7",
                                                  modify + "Info|Team|Hibernate Action|1",
                                                  "run POWERCFG -H \"ON\"",
                                                  modify + "Success|Hibernate||On",
                                                  modify + "Info|Team|Activate Action|",
                                                  modify + "Info|Team|Active Scheme|Set Active Again",
                                                  std::string("run POWERCFG -SETACTIVE \"") + kTeam + "\"",
                                              }));
}

// A copy whose rename failed is deleted; when that fails too, the status
// says which copy was left, and it stays recorded.
TEST(PlanStep, FailedRenameDeletesTheCopyOrNamesIt) {
    FakeMachine machine;
    machine.plans = {{"Balanced", kBalanced, "Yes"}};
    machine.results = {{"-CHANGENAME", ExitedWith(5)}};
    const std::string create = "CreatePowerSchemeVista|";
    const std::string deleteCopy = std::string("run POWERCFG -DELETE \"") + kCopy + "\"";
    Outcome outcome = RunPlanStep(StepOperation::Create, Request("Office"), machine);
    EXPECT_EQ(outcome.Status(), "Not Able to Change Name : POWERCFG ended with exit code 5");
    EXPECT_EQ(machine.events, (std::vector<std::string>{
                                  create + "Info|GetOSDisplayString|OS Desc|Windows 7",
                                  std::string("run POWERCFG -DUPLICATESCHEME \"") + kBalanced + "\"",
                                  std::string("record ") + kCopy,
                                  create + "Info|Scheme Name||Office",
                                  create + "Info|ExecuteCommand|CHANGENAME|",
                                  std::string("run POWERCFG -CHANGENAME \"") + kCopy + "\" \"Office\"",
                                  create + "Failed|ExecuteCommand|5|POWERCFG ended with exit code 5",
                                  create + "Info|DELETE|" + kCopy + "|Deleting Copy Named Like Base Scheme",
                                  deleteCopy,
                                  std::string("forget ") + kCopy,
                              }));

    machine.events.clear();
    machine.results = {{"-CHANGENAME", {{CommandFailureCause::SystemError, 5}, 0, {}}}, {"-DELETE", ExitedWith(1)}};
    outcome = RunPlanStep(StepOperation::Create, Request("Office"), machine);
    EXPECT_EQ(outcome.Status(), std::string("Not Able to Change Name : system text 5; a copy named like the base "
                                            "scheme was left, Scheme GUID ") +
                                    kCopy);
    EXPECT_EQ(machine.events.back(), create + "Failed|DELETE|" + kCopy + "|Copy Named Like Base Scheme Left");
}

// A status that leaves no room is cut to its 1023 characters, and a report
// without the system text still logs the error it names.
TEST(PlanStep, CommandFailureReports) {
    FakeMachine machine;
    FailureReport report;
    report.kind = FailureReport::Kind::CommandFailure;
    report.status = std::string(1100, 'm');
    EXPECT_EQ(ReportCommandFailure(machine, "M", report, {CommandFailureCause::SystemError, 5}).Status(),
              std::string(1023, 'm'));
    report.status = "Os Type is XP/2003/2000";
    report.appendReason = false;
    report.systemError = 122;
    EXPECT_EQ(ReportCommandFailure(machine, "M", report, {}).Status(), "Os Type is XP/2003/2000");
    EXPECT_EQ(machine.events.back(), "M|Failed|ExecuteCommand|122|system text 122");
}
