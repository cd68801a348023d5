// A POWERCFG command that does not end, through the shipped executable: the
// command is ended at the command limit (shortened here), logged, and its
// step fails the run, whichever runner started it.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/text.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/valid_settings.h"
#include "win/text_convert.h"

namespace {
const std::string kPlan = "0a1b2c3d-0000-4000-8000-0000000000a1";

// A scenario whose POWERCFG hangs for ten minutes on commands containing
// `match`, with a command limit of two seconds.
void HangOn(Scenario& s, const std::string& match) {
    SimState state = DefaultSimState();
    SimPlan plan;
    plan.guid = kPlan;
    plan.name = "Alpha";
    state.plans.push_back(plan);
    SimFault fault;
    fault.match = match;
    fault.sleepMs = 600000;
    state.faults.push_back(fault);
    s.SetSimState(state);
    s.SetEnv("KV_COMMAND_TIMEOUT_MS", "2000");
}

// Runs the scenario and returns how long the run took, in milliseconds.
ULONGLONG TimedRun(Scenario& s) {
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(s.Run(), 0u);
    return GetTickCount64() - start;
}
}  // namespace

TEST(CommandTimeoutE2E, AHungCommandIsEndedAndFailsItsStep) {
    const std::string timeoutText(TrimWhite(SystemMessageText(ERROR_TIMEOUT)));
    ASSERT_FALSE(timeoutText.empty());

    // A hidden command: the deletion.
    Scenario deletion;
    HangOn(deletion, "-DELETE");
    deletion.WriteJob(JobXml({StepXml("Delete Scheme", "Alpha")}));
    EXPECT_LT(TimedRun(deletion), 60000u);
    const std::string command = "POWERCFG -DELETE \"" + kPlan + "\"";
    const std::vector<std::string> lines = LogLines(deletion.Log());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ExecuteCMD|ERROR|Command Timed Out|2 seconds|" + command),
              lines.end());
    EXPECT_FALSE(HasLineStarting(lines, "ExecuteCMD|SUCCESS|"));
    EXPECT_TRUE(HasLineStarting(lines, "DeletePowerSchemeVista|FAILED|ExecuteCommand|1460|"));
    auto saved = deletion.SavedStatuses();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].status, "Fail");
    EXPECT_EQ(saved[0].desc.rfind("Failed to Delete power scheme : " + timeoutText, 0), 0u) << saved[0].desc;
    EXPECT_NE(FindPlan(deletion.ReadSimState(), kPlan), nullptr);

    // A captured command: the duplication of a creation.
    Scenario creation;
    HangOn(creation, "-DUPLICATESCHEME");
    creation.WriteJob(JobXml({StepXml("Create Scheme", "Office", ValidSettings({{"schbasedon", "1"}}))}));
    EXPECT_LT(TimedRun(creation), 60000u);
    EXPECT_TRUE(HasLineStarting(LogLines(creation.Log()),
                                "CreateChildProcess|ERROR|Command Timed Out|2 seconds|POWERCFG -DUPLICATESCHEME "));
    saved = creation.SavedStatuses();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].status, "Fail");
    EXPECT_EQ(saved[0].desc,
              "Not Able to Create Scheme : duplication timed out, a copy named like the base scheme may be left");
    EXPECT_EQ(creation.ReadSimState().plans.size(), DefaultSimState().plans.size() + 1);
}
