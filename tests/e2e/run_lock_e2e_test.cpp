// Runs that overlap on one machine, through the shipped executable: a run
// waits for the one holding the run lock and gives up after its wait limit,
// changing nothing; runs take turns, one step at a time.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/scenario.h"
#include "tests/win/temp_folder.h"
#include "win/lock_file.h"

namespace {
const std::string kList = "powercfg.exe /l";
const std::string kAlpha = "0a1b2c3d-0000-4000-8000-0000000000a1";
const std::string kBeta = "0a1b2c3d-0000-4000-8000-0000000000b2";

SimState StateWithAlphaAndBeta() {
    SimState state = DefaultSimState();
    for (const auto& [guid, name] : {std::pair{kAlpha, "Alpha"}, std::pair{kBeta, "Beta"}}) {
        SimPlan plan;
        plan.guid = guid;
        plan.name = name;
        state.plans.push_back(plan);
    }
    return state;
}

std::string DeleteCommand(const std::string& guid) { return "POWERCFG -DELETE \"" + guid + "\""; }
}  // namespace

TEST(RunLockE2E, ARunWaitsForTheLockHolderAndRunsTakeTurns) {
    {
        // Another run holds the lock for longer than this run may wait.
        Scenario s;
        const std::string lockPath = s.InstallPath() + "\\Kestrovane.lock";
        s.SetSimState(StateWithAlphaAndBeta());
        s.WriteJob(JobXml({StepXml("Delete Scheme", "Alpha")}));
        s.SetEnv("KV_RUN_LOCK_WAIT_MS", "2000");
        UniqueFile held;
        ASSERT_EQ(TryHoldLockFile(lockPath, held), LockAttempt::Taken);
        EXPECT_EQ(s.Run(), 0u);
        held.reset();

        const std::vector<std::string> lines = LogLines(s.Log());
        const auto waiting = std::find(lines.begin(), lines.end(), "WinMain|INFO|Run Lock|Waiting|" + lockPath);
        ASSERT_NE(waiting, lines.end());
        ASSERT_NE(waiting + 1, lines.end());
        EXPECT_EQ(waiting[1], "WinMain|FAILED|Run Lock|Timed Out|2 seconds");
        EXPECT_FALSE(Contains(lines, "WinMain|INFO|Action|Delete|Alpha"));
        EXPECT_TRUE(s.JournalCommands().empty());
        EXPECT_EQ(s.ReadSimState().plans.size(), StateWithAlphaAndBeta().plans.size());
        const auto saved = s.SavedStatuses();
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_EQ(saved[0].status, "Fail");
        EXPECT_EQ(saved[0].desc, "Another run is still working on power schemes after 2 seconds hence not processed");
    }

    // Two runs started together, each deleting another plan: the second to
    // reach the lock waits until the first has let go of it, so their
    // commands never interleave, and both succeed. A step with an action of
    // no known name is skipped with its line.
    Scenario s;
    s.SetSimState(StateWithAlphaAndBeta());
    s.WriteJob(JobXml({StepXml("Rename Scheme", "Alpha"), StepXml("Delete Scheme", "Alpha")}));
    HANDLE first = s.Start();
    TempFolder second;
    s.SetField(2, second.WriteFile("job.xml", JobXml({StepXml("Delete Scheme", "Beta")})));
    HANDLE secondRun = s.Start();
    EXPECT_EQ(Scenario::Wait(first), 0u);
    EXPECT_EQ(Scenario::Wait(secondRun), 0u);

    const std::vector<std::string> commands = s.JournalCommands();
    const bool alphaFirst = commands.size() > 1 && commands[1] == DeleteCommand(kAlpha);
    const std::string firstGuid = alphaFirst ? kAlpha : kBeta;
    const std::string secondGuid = alphaFirst ? kBeta : kAlpha;
    EXPECT_EQ(commands, (std::vector<std::string>{kList, DeleteCommand(firstGuid), kList, DeleteCommand(secondGuid)}));
    const SimState after = s.ReadSimState();
    EXPECT_EQ(FindPlan(after, kAlpha), nullptr);
    EXPECT_EQ(FindPlan(after, kBeta), nullptr);
    const auto saved = s.SavedStatuses();
    ASSERT_EQ(saved.size(), 2u);
    for (const auto& record : saved) {
        EXPECT_EQ(record.status, "Success");
        EXPECT_EQ(record.desc, "");
    }
    const std::vector<std::string> lines = LogLines(s.Log());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "WinMain|INFO|Action|Unknown|Rename Scheme"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "WinMain|INFO|Application|End|"), 2);
}

// A job that outlasts another run's wait no longer starves it: each deletion
// takes 2.5 s, and the wait limit of 5 s is longer than a step but shorter
// than the first run's four steps. The second run's step comes between two
// of them, never inside one, and both jobs succeed.
TEST(RunLockE2E, RunsTakeTurnsBetweenSteps) {
    Scenario s;
    SimState state = DefaultSimState();
    for (char n = '0'; n <= '4'; ++n) state.plans.push_back({kAlpha.substr(0, 35) + n, std::string("P") + n, "", {}});
    state.faults.push_back(SimFault(0, "-DELETE", 0, "", "", true, 2500));
    s.SetSimState(state);
    s.SetEnv("KV_RUN_LOCK_WAIT_MS", "5000");
    s.WriteJob(JobXml({StepXml("Delete Scheme", "P0"), StepXml("Delete Scheme", "P1"), StepXml("Delete Scheme", "P2"),
                       StepXml("Delete Scheme", "P3")}));
    HANDLE first = s.Start();
    for (int i = 0; i < 600 && s.JournalCommands().empty(); ++i) Sleep(50);  // until it is in its first step
    TempFolder second;
    s.SetField(2, second.WriteFile("job.xml", JobXml({StepXml("Delete Scheme", "P4")})));
    HANDLE secondRun = s.Start();
    EXPECT_EQ(Scenario::Wait(first), 0u);
    EXPECT_EQ(Scenario::Wait(secondRun), 0u);

    // Each listing is followed by its step's deletion (named by the last digit).
    const std::vector<std::string> commands = s.JournalCommands();
    std::string order;
    for (std::size_t i = 0; i + 1 < commands.size(); i += 2) {
        EXPECT_EQ(commands[i], kList);
        order += commands[i + 1][commands[i + 1].size() - 2];
    }
    EXPECT_TRUE(order == "04123" || order == "01423" || order == "01243") << order;
    for (const auto& record : s.SavedStatuses()) EXPECT_EQ(record.status, "Success");  // both, by the order above
}

// Two copies of the program in different folders, for the same agent, each
// deleting a plan in a step that takes 1.5 s: they share the lock in the
// installation folder, so each listing is followed by its own step's deletion.
TEST(RunLockE2E, CopiesInTwoFoldersShareTheInstallationsLock) {
    Scenario s;
    SimState state = StateWithAlphaAndBeta();
    state.faults.push_back(SimFault(0, "-DELETE", 0, "", "", true, 1500));
    s.SetSimState(state);
    TempFolder otherCopy;
    const std::string otherExe = otherCopy.path() + "\\Kestrovane.exe";
    ASSERT_TRUE(CopyFileA((BinFolder() + "\\Kestrovane.exe").c_str(), otherExe.c_str(), FALSE));
    s.WriteJob(JobXml({StepXml("Delete Scheme", "Alpha")}));
    HANDLE first = s.Start();
    s.UseProgram(otherExe);
    s.SetField(2, otherCopy.WriteFile("job.xml", JobXml({StepXml("Delete Scheme", "Beta")})));
    HANDLE second = s.Start();
    EXPECT_EQ(Scenario::Wait(first), 0u);
    EXPECT_EQ(Scenario::Wait(second), 0u);

    const std::vector<std::string> commands = s.JournalCommands();
    const bool alphaFirst = commands.size() > 1 && commands[1] == DeleteCommand(kAlpha);
    EXPECT_EQ(commands, (std::vector<std::string>{kList, DeleteCommand(alphaFirst ? kAlpha : kBeta), kList,
                                                  DeleteCommand(alphaFirst ? kBeta : kAlpha)}));
    const auto saved = s.SavedStatuses();
    ASSERT_EQ(saved.size(), 2u);
    for (const auto& record : saved) EXPECT_EQ(record.status, "Success");
}
