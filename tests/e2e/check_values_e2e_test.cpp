// KestrovaneCheck.exe beside the plans' current values: what a run would
// change, what is already as the job sets it, and the compliance exit code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "simulator/sim_commands.h"
#include "simulator/sim_run.h"
#include "tests/e2e/check_scenario.h"
#include "tests/e2e/valid_settings.h"

namespace {
constexpr char kBalanced[] = "381b4222-f694-41f0-9685-ff5bb260df2e";
constexpr char kBattery[] = "e73a048d-bf27-4f12-9731-8b2076e8891f";
constexpr char kDisplay[] = "7516b95f-f776-4464-8c53-06167f40cc99";
constexpr char kDisk[] = "0012ee47-9041-4b5d-9b77-535fba8b1442";
const std::string kLowLevel = SimSettingKey(kBattery, "8183ba9a-e910-48da-8769-14ae6dc1170a");
const std::string kTurnOff = SimSettingKey(kDisplay, "3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e");

// Hibernation is asked for on, as Wine's power capabilities report it.
std::string Settings() {
    return StepXml("Modify Scheme", "Balanced", ValidSettings({{"turnoffm", "0x258#@#300"}, {"enahiber", "1"}}));
}

std::size_t Writes(const CheckRun& check) {
    const std::vector<std::string> commands = PrintedCommands(check);
    return static_cast<std::size_t>(std::count_if(commands.begin(), commands.end(), [](const std::string& c) {
        return c.find("VALUEINDEX") != std::string::npos;
    }));
}

// The check's lines from its first "change" or "values" line on.
std::vector<std::string> ValueLines(const CheckRun& check) {
    const auto first = std::find_if(check.lines.begin(), check.lines.end(), [](const std::string& line) {
        return line.rfind("  change ", 0) == 0 || line.rfind("  values: ", 0) == 0;
    });
    return {first, check.lines.end()};
}

std::string Counts(std::size_t changed, std::size_t already, std::size_t unread) {
    return "  values: " + std::to_string(changed) + " would change, " + std::to_string(already) +
           " already as the job sets them, " + std::to_string(unread) + " cannot be read";
}

void WriteFile(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}
}  // namespace

// Two values differ from the job's (one written in hexadecimal is already as
// the job sets it) and one setting is hidden from "/q": the check names the
// two, counts the rest, and says the machine is not yet as the job leaves it;
// after the run it is. A creation compares with its base plan's values.
TEST(CheckValuesE2E, ModificationAndCreationAgainstTheCurrentValues) {
    Scenario s;
    SimState state = DefaultSimState();
    state.hiddenSetting = SimSettingKey(kDisk, "6738e2c4-e8a5-4a42-b16a-e040e769756e");
    s.SetSimState(state);
    s.WriteJob(JobXml({Settings()}));
    ASSERT_EQ(s.Run(), 0u);
    state = s.ReadSimState();
    SimPlan& balanced = *FindPlan(state, kBalanced);
    balanced.values[kLowLevel].first = "20";
    balanced.values[kTurnOff].second = "120";
    s.SetSimState(state);

    const CheckRun before = RunCheck(s, {s.JobPath(), "--compliance"});
    const std::size_t writes = Writes(before);
    EXPECT_EQ(
        ValueLines(before),
        (std::vector<std::string>{"  change lowbatlev AC: 20 -> 10", "  change turnoffm DC: 120 -> 300",
                                  Counts(2, writes - 4, 2), "  cannot read turnoffhd AC", "  cannot read turnoffhd DC",
                                  "the job would succeed", "compliance: the job would change this machine"}));
    EXPECT_EQ(before.exitCode, 1u);
    ASSERT_EQ(s.Run(), 0u);
    const CheckRun after = RunCheck(s, {s.JobPath(), "--compliance"});
    EXPECT_EQ(after.exitCode, 0u);
    EXPECT_EQ(ValueLines(after).front(), Counts(0, writes - 2, 2));
    EXPECT_EQ(after.lines.back(), "compliance: the machine is as the job would leave it");

    s.WriteJob(JobXml({StepXml("Create Scheme", "Office",
                               ValidSettings({{"turnoffm", "0x258#@#300"}, {"enahiber", "1"}, {"schbasedon", "1"}}))}));
    const std::vector<std::string> ranBefore = s.JournalCommands();
    const CheckRun created = RunCheck(s, {s.JobPath(), "--compliance"});
    EXPECT_EQ(ValueLines(created).front(), Counts(0, writes - 2, 2));
    EXPECT_EQ(created.exitCode, 1u);
    // One "/q" per plan the job touches: the base plan, never the copy.
    const std::vector<std::string> ran = s.JournalCommands();
    EXPECT_EQ(std::vector<std::string>(ran.begin() + static_cast<long>(ranBefore.size()), ran.end()),
              (std::vector<std::string>{"powercfg.exe /l", std::string("powercfg.exe /q \"") + kBalanced + "\""}));
}

// Another machine's listing and its "/q" output in French: read by their
// structure; without the output, every value cannot be read.
TEST(CheckValuesE2E, SavedValuesInAnotherLanguage) {
    Scenario s;
    SimState remote = DefaultSimState();
    FindPlan(remote, kBalanced)->values[kTurnOff].first = "900";
    const std::string listing = s.InstallPath() + "\\plans.txt", values = s.InstallPath() + "\\values.txt";
    WriteFile(listing, ListPlans(remote).out);
    WriteFile(values, RunSimInvocation(remote, std::string("powercfg /q ") + kBalanced, SimLanguage::French).out);
    s.WriteJob(JobXml({Settings()}));

    const CheckRun saved = RunCheck(s, {s.JobPath(), "--listing", listing, "--values", values, "--compliance"});
    const std::size_t writes = Writes(saved);
    ASSERT_GT(writes, 40u);
    // Every value is read, the one changed on that machine among them.
    const std::vector<std::string> lines = ValueLines(saved);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "  change turnoffm AC: 900 -> 600"), 1);
    const auto counted = std::find_if(lines.begin(), lines.end(),
                                      [](const std::string& line) { return line.rfind("  values: ", 0) == 0; });
    ASSERT_NE(counted, lines.end());
    EXPECT_NE(counted->find(" already as the job sets them, 0 cannot be read"), std::string::npos);
    EXPECT_EQ(*(counted + 1), "  cannot read hibernation");
    EXPECT_EQ(saved.lines.back(), "compliance: the job would change this machine");
    const CheckRun unread = RunCheck(s, {s.JobPath(), "--listing", listing});
    EXPECT_EQ(ValueLines(unread).front(), Counts(0, 0, writes));
    EXPECT_EQ(unread.exitCode, 0u);
    EXPECT_TRUE(s.JournalLines().empty());
}
