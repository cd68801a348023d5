// KestrovaneCheck.exe beside the executor: it prints the very commands a run
// then carries out, changes nothing, and checks an installation.
#include <gtest/gtest.h>

#include <algorithm>

#include "report/log_format.h"
#include "run/installation.h"
#include "simulator/sim_commands.h"
#include "tests/e2e/check_scenario.h"
#include "tests/e2e/valid_settings.h"
#include "tests/win/temp_folder.h"
#include "power/hibernation.h"
#include "win/file_helpers.h"

namespace {
SimState With(std::vector<SimPlan> extra) {
    SimState state = DefaultSimState();
    state.plans.insert(state.plans.end(), extra.begin(), extra.end());
    return state;
}

SimPlan Plan(const std::string& guid, const std::string& name) {
    SimPlan plan = DefaultSimState().plans.back();
    plan.guid = guid;
    plan.name = name;
    return plan;
}

// What `run` returns with TEMP and TMP naming a folder that does not exist.
template <typename Run>
auto WithoutTempFolder(Run run) {
    char temp[MAX_PATH] = {}, tmp[MAX_PATH] = {};
    GetEnvironmentVariableA("TEMP", temp, sizeof temp);
    GetEnvironmentVariableA("TMP", tmp, sizeof tmp);
    SetEnvironmentVariableA("TEMP", "C:\\no such folder");
    SetEnvironmentVariableA("TMP", "C:\\no such folder");
    auto result = run();
    SetEnvironmentVariableA("TEMP", temp);
    SetEnvironmentVariableA("TMP", tmp);
    return result;
}

// The check's verdict on the job that the run then posted.
std::string VerdictOf(const Scenario& s, int failedStep) {
    if (failedStep == 0) return "the job would succeed";
    return "the job would fail at step " + std::to_string(failedStep) + ": " + PostedStatus(s).desc;
}
}  // namespace

TEST(CheckE2E, PrintsTheCommandsTheExecutorThenRunsAndChangesNothing) {
    const struct {
        const char* what;
        SimState state;
        std::string step;
    } cases[] = {
        {"creation", DefaultSimState(),
         StepXml("Create Scheme", "Office",
                 ValidSettings({{"schbasedon", "2"}, {"schdesc", "Office hours"}, {"schactive", "1"}}))},
        {"modification of the active plan", DefaultSimState(), StepXml("Modify Scheme", "balanced", ValidSettings())},
        {"deletion of several plans",
         With({Plan("0a1b2c3d-0000-4000-8000-00000000000a", "Twin"),
               Plan("0a1b2c3d-0000-4000-8000-00000000000b", "TWIN")}),
         StepXml("Delete Scheme", "twin")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Scenario s;
        s.SetSimState(c.state);
        s.WriteJob(JobXml({c.step}));
        const std::string before = SimulatorSnapshot(s);
        const CheckRun check = RunCheck(s, {s.JobPath()});
        EXPECT_EQ(check.exitCode, 0u);
        ASSERT_FALSE(check.lines.empty());
        EXPECT_EQ(check.lines.back(), "the job would succeed");
        EXPECT_EQ(SimulatorSnapshot(s), before);

        EXPECT_EQ(s.Run(), 0u);
        const std::vector<std::string> ran = ChangingCommands(s);
        EXPECT_FALSE(ran.empty());
        EXPECT_EQ(PrintedCommands(check), WithStandIns(ran, c.state));
    }
}

// Where the check used to model the plans on its own, it now runs the
// executor's step against a model machine: each plan a job makes has its own
// stand-in, a base plan the machine lacks fails the duplication as in a run,
// and no temporary file is needed.
TEST(CheckE2E, AgreesWithTheRunOnMadePlansAndMissingBasePlans) {
    SimState onlyBalanced = DefaultSimState();
    onlyBalanced.plans.resize(1);
    const struct {
        const char* what;
        SimState state;
        std::vector<std::string> steps;
        int failedStep;
    } cases[] = {
        {"two made plans, the second made active, the first deleted",
         DefaultSimState(),
         {StepXml("Create Scheme", "A", ValidSettings({{"schbasedon", "1"}})),
          StepXml("Create Scheme", "B", ValidSettings({{"schbasedon", "2"}, {"schactive", "1"}})),
          StepXml("Delete Scheme", "A"), StepXml("Modify Scheme", "B", ValidSettings())},
         0},
        {"a base plan the machine does not list",
         onlyBalanced,
         {StepXml("Create Scheme", "Saver", ValidSettings({{"schbasedon", "3"}}))},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Scenario s;
        s.SetSimState(c.state);
        s.WriteJob(JobXml(c.steps));
        const CheckRun check = WithoutTempFolder([&] { return RunCheck(s, {s.JobPath()}); });
        ASSERT_FALSE(check.lines.empty());
        EXPECT_EQ(s.Run(), 0u);
        const std::vector<std::string> ran = ChangingCommands(s);
        EXPECT_EQ(PrintedCommands(check), WithStandIns(ran, c.state));
        EXPECT_EQ(check.lines.back(), VerdictOf(s, c.failedStep));
    }
}

TEST(CheckE2E, RefusedStepEndsTheJobWithTheStatusTheExecutorPosts) {
    Scenario s;
    s.SetSimState(With({Plan("0a1b2c3d-0000-4000-8000-000000000001", "Old plan")}));
    s.WriteJob(JobXml({StepXml("Delete Scheme", "Old plan"), StepXml("Delete Scheme", "Plan ?"),
                       StepXml("Delete Scheme", "Balanced")}));
    const CheckRun check = RunCheck(s, {s.JobPath()});
    EXPECT_EQ(check.exitCode, 1u);
    EXPECT_EQ(s.Run(), 0u);
    ASSERT_FALSE(check.lines.empty());
    EXPECT_EQ(check.lines.back(), "the job would fail at step 2: " + PostedStatus(s).desc);
    EXPECT_EQ(PrintedCommands(check), ChangingCommands(s));
}

namespace {
// A listing as POWERCFG prints it, the active plan first.
std::string ListingOf(const std::vector<std::pair<std::string, std::string>>& plans) {
    std::string text = "\r\nExisting Power Schemes (* Active)\r\n-----------------------------------\r\n";
    for (std::size_t i = 0; i < plans.size(); ++i)
        text += "Power Scheme GUID: " + plans[i].first + "  (" + plans[i].second + ")" + (i == 0 ? " *" : "") + "\r\n";
    return text;
}

std::string Saved(const Scenario& s, const std::string& name, const std::string& bytes) {
    const std::string path = s.InstallPath() + "\\" + name;
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
}
}  // namespace

// A saved listing in UTF-8, with the facts of the machine it was saved on,
// decides as the run there does; one in another console code page is read in
// that machine's code pages.
TEST(CheckE2E, SavedListingWithTheOtherMachinesFactsAndCodePages) {
    const std::string buero = "0a1b2c3d-0000-4000-8000-0000000000b0";
    Scenario s;
    s.SetSimState(With({Plan(buero, "Büro")}));
    s.WriteJob(JobXml({StepXml("Modify Scheme", "Büro", ValidSettings({{"schactive", "1"}}))}));
    std::vector<std::pair<std::string, std::string>> plans;
    for (const SimPlan& plan : s.ReadSimState().plans) plans.emplace_back(plan.guid, plan.name);
    const std::string utf8 = Saved(s, "utf8.txt", "\xEF\xBB\xBF" + ListingOf(plans));

    OSVERSIONINFOEXA os{};
    os.dwOSVersionInfoSize = sizeof os;
    ASSERT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&os)));
    const std::string windows = std::to_string(os.dwMajorVersion) + "." + std::to_string(os.dwMinorVersion);
    const std::string pack = std::to_string(os.wServicePackMajor);
    std::vector<std::string> args{s.JobPath(), "--listing",     utf8,
                                  "--windows", windows,         "--service-pack",
                                  pack,        "--hibernation", HibernationSupported() ? "yes" : "no"};
    if (os.wProductType != VER_NT_WORKSTATION) args.push_back("--server");
    const CheckRun check = RunCheck(s, args);
    ASSERT_GE(check.lines.size(), 2u);
    EXPECT_NE(check.lines[1].find("listing in UTF-8 (the file)"), std::string::npos) << check.lines[1];
    EXPECT_EQ(check.lines.back(), "the job would succeed");
    EXPECT_EQ(s.Run(), 0u);
    EXPECT_EQ(PrintedCommands(check), ChangingCommands(s));

    // "Офис" as code page 866 prints it, checked with that code page.
    const std::string office = "0a1b2c3d-0000-4000-8000-0000000000f1";
    const std::string oem =
        Saved(s, "ru.txt", ListingOf({{plans[0].first, plans[0].second}, {office, "\x8E\xE4\xA8\xE1"}}));
    s.WriteJob(JobXml({StepXml("Delete Scheme", "Офис")}));
    const CheckRun russian = RunCheck(s, {s.JobPath(), "--listing", oem, "--code-page", "866"});
    EXPECT_EQ(PrintedCommands(russian), std::vector<std::string>{"POWERCFG -DELETE \"" + office + "\""});
    EXPECT_EQ(russian.lines.back(), "the job would succeed");
}

TEST(CheckE2E, SavedListingDecidesWithoutRunningPowercfg) {
    Scenario s;
    const std::string remote = "0a1b2c3d-0000-4000-8000-0000000000cc";
    const std::string listing = s.InstallPath() + "\\plans.txt";
    FILE* file = std::fopen(listing.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string bytes = ListPlans(With({Plan(remote, "Remote")})).out;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    s.WriteJob(JobXml({StepXml("Delete Scheme", "Remote")}));

    const CheckRun check = RunCheck(s, {s.JobPath(), "--listing", listing});
    EXPECT_EQ(check.exitCode, 0u);
    EXPECT_EQ(PrintedCommands(check), std::vector<std::string>{"POWERCFG -DELETE \"" + remote + "\""});
    EXPECT_TRUE(s.JournalLines().empty());
}

namespace {
void WriteStatusUrl(const Scenario& s, const std::string& url) {
    CreateDirectoryA((s.InstallPath() + "\\Configuration").c_str(), nullptr);
    FILE* ini = std::fopen((s.InstallPath() + "\\Configuration\\Pathwell.ini").c_str(), "wb");
    ASSERT_NE(ini, nullptr);
    std::fputs(("[wpdcmscriptjobinstancestatus]\r\nURL=" + url + "\r\n").c_str(), ini);
    std::fclose(ini);
}
}  // namespace

TEST(CheckE2E, InstallationWithAMissingValueHasOneFault) {
    Scenario s;
    s.InstallRelay("Relaynet.dll");
    WriteStatusUrl(s, "https://status.test/app");
    s.RemoveAgentValue("SITEID");

    const CheckRun check = RunCheck(s, {});
    EXPECT_EQ(check.exitCode, 1u);
    ASSERT_EQ(check.lines.size(), 17u);
    EXPECT_EQ(check.lines[5], "SITEID: missing; add it as a REG_SZ value of at most 31 characters");
    EXPECT_EQ(check.lines.back(), "the installation has 1 fault");
    const auto ok = [](const std::string& line) { return line.find(": ok") != std::string::npos; };
    EXPECT_EQ(std::count_if(check.lines.begin(), check.lines.end(), ok), 15);
}

// What a run works with is no fault, and what it reads otherwise than it looks
// is said as the run reads it.
TEST(CheckE2E, InstallationValuesAsARunReadsThem) {
    Scenario s;
    s.InstallRelay("Relaynet.dll");
    WriteStatusUrl(s, "https://status.test/app/");
    s.SetAgentValue("InstallationPath", s.InstallPath() + "\\");
    s.SetAgentValue("TYPE", "T1", REG_EXPAND_SZ);
    s.SetAgentValue("REGID", "123456", REG_EXPAND_SZ);

    const CheckRun check = RunCheck(s, {});
    EXPECT_TRUE(Contains(check.lines,
                         "REGID: is REG_EXPAND_SZ, which a run reads as empty and posts so; "
                         "make it a REG_SZ value"));
    EXPECT_TRUE(Contains(check.lines, "TYPE: ok (REG_EXPAND_SZ, which a run reads as not set; it is optional)"));
    EXPECT_TRUE(HasLineStarting(check.lines, "log folder " + s.InstallPath() + "\\\\ApplicationLog\\DorvikLog: ok"));
    EXPECT_TRUE(HasLineStarting(
        check.lines, "status server URL in " + s.InstallPath() + "\\\\Configuration\\Pathwell.ini: warning: "));
    EXPECT_EQ(check.lines.back(), "the installation has 1 fault");

    // A drive's root is a folder too (whether the drive's root can be written
    // depends on the machine, so only the value itself is checked here).
    s.SetAgentValue("InstallationPath", "C:\\");
    EXPECT_TRUE(Contains(RunCheck(s, {}).lines, "InstallationPath: ok (C:\\)"));
}

// Files a run cannot write fail every run, or lose its outcome when a post
// fails. (Under Wine as root a read-only file stays writable, so only the
// folder-for-file faults are shown here.)
TEST(CheckE2E, InstallationFilesARunCannotWrite) {
    Scenario s;
    const std::string records = s.InstallPath() + "\\DorvikPostLogs";
    CreateDirectoryA((s.InstallPath() + "\\Kestrovane.lock").c_str(), nullptr);
    std::fclose(std::fopen(records.c_str(), "wb"));
    const std::string logFolder = LogFolderIn(s.InstallPath());
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string log = LogFileName(logFolder, "Kestrovane", {now.wDay, now.wMonth, now.wYear});
    CreateFolderPath(log);
    // A relay whose initialisation never returns: the check still ends.
    s.InstallRelay("relay_double.dll");
    SetEnvironmentVariableA("KV_RELAY_DOUBLE_LOAD", "hang");
    SetEnvironmentVariableA("KV_RELAY_TIMEOUT_MS", "2000");

    const CheckRun check = RunCheck(s, {});
    SetEnvironmentVariableA("KV_RELAY_DOUBLE_LOAD", nullptr);
    SetEnvironmentVariableA("KV_RELAY_TIMEOUT_MS", nullptr);
    EXPECT_EQ(check.exitCode, 1u);
    EXPECT_TRUE(Contains(check.lines, log + ": is a folder, where a run needs a file; remove the folder"));
    EXPECT_TRUE(HasLineStarting(
        check.lines, "relay " + s.InstallPath() + "\\Relaynet.dll: did not finish loading within 2 seconds"));
    EXPECT_TRUE(Contains(
        check.lines, s.InstallPath() + "\\Kestrovane.lock: is a folder, where a run needs a file; remove the folder"));
    EXPECT_TRUE(Contains(check.lines, "record folder " + records +
                                          ": is a file, where a run keeps undelivered records in a folder; "
                                          "remove the file"));
    EXPECT_TRUE(HasLineStarting(check.lines, s.InstallPath() + "\\Kestrovane.copy: ok"));
}
