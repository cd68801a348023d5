// Plan deletion through the shipped executable against the POWERCFG simulator.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/scenario.h"

namespace {
const std::string kList = "powercfg.exe /l";

SimPlan Plan(const std::string& guid, const std::string& name) {
    SimPlan plan;
    plan.guid = guid;
    plan.name = name;
    return plan;
}

// The default plans plus these, with `activeGuid` active.
SimState StateWith(const std::vector<SimPlan>& extra, const std::string& activeGuid = "") {
    SimState state = DefaultSimState();
    for (const SimPlan& plan : extra) state.plans.push_back(plan);
    if (!activeGuid.empty()) state.activeGuid = activeGuid;
    return state;
}

std::string DeleteCommand(const std::string& guid) { return "POWERCFG -DELETE \"" + guid + "\""; }

// The lines a deletion writes for one plan it goes on to delete.
std::vector<std::string> DeletedLines(const std::string& name, const std::string& guid) {
    return {"DeletePowerSchemeVista|INFO|Scheme Name|Delete|" + name,
            "DeletePowerSchemeVista|INFO|Scheme Guid|Delete|" + guid, "ExecuteCMD|SUCCESS|1|0|" + DeleteCommand(guid),
            "DeletePowerSchemeVista|SUCCESS|ExecuteCommand||"};
}

std::vector<std::string> StepStart(const std::string& name) {
    return {"WinMain|INFO|Action|Delete|" + name, "CreateChildProcess|MSG|CreateProcess  success|szArgs|" + kList,
            "DeletePowerSchemeVista|INFO|" + name + "|Action|Delete"};
}

std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// What the deletion steps log, in order: the step loop's "Action" lines and
// the lines of the operation and of the command runner.
std::vector<std::string> StepLines(const Scenario& s) {
    std::vector<std::string> lines;
    for (const std::string& line : LogLines(s.Log())) {
        for (const char* prefix :
             {"WinMain|INFO|Action|", "DeletePowerSchemeVista|", "ExecuteCMD|", "CreateChildProcess|", "CmdExecute|"}) {
            if (line.rfind(prefix, 0) == 0) {
                lines.push_back(line);
                break;
            }
        }
    }
    return lines;
}

bool HasPlan(const SimState& state, const std::string& guid) { return FindPlan(state, guid) != nullptr; }

const std::string kOld = "0a1b2c3d-0000-4000-8000-000000000001";
const std::string kTripleA = "0a1b2c3d-0000-4000-8000-00000000000a";
const std::string kTripleB = "0a1b2c3d-0000-4000-8000-00000000000b";
const std::string kTripleC = "0a1b2c3d-0000-4000-8000-00000000000c";
}  // namespace

TEST(DeleteE2E, DeletesOneAndThenThreeMatchesInListingOrder) {
    Scenario s;
    s.SetSimState(StateWith(
        {Plan(kTripleA, "Triple"), Plan(kOld, "Old plan"), Plan(kTripleB, "TRIPLE"), Plan(kTripleC, "triple")}));
    // The requested names differ from the listed ones in letter case.
    s.WriteJob(JobXml({StepXml("Delete Scheme", "old PLAN"), StepXml("Delete Scheme", "Triple")}));
    EXPECT_EQ(s.Run(), 0u);

    EXPECT_EQ(s.JournalCommands(), (std::vector<std::string>{kList, DeleteCommand(kOld), kList, DeleteCommand(kTripleA),
                                                             DeleteCommand(kTripleB), DeleteCommand(kTripleC)}));
    EXPECT_EQ(StepLines(s), Join({StepStart("old PLAN"), DeletedLines("Old plan", kOld), StepStart("Triple"),
                                  DeletedLines("Triple", kTripleA), DeletedLines("TRIPLE", kTripleB),
                                  DeletedLines("triple", kTripleC)}));
    EXPECT_EQ(LogLines(s.Log()).back(), "WinMain|INFO|Application|End|");

    const SimState after = s.ReadSimState();
    for (const std::string& guid : {kOld, kTripleA, kTripleB, kTripleC}) EXPECT_FALSE(HasPlan(after, guid)) << guid;
    EXPECT_EQ(after.plans.size(), DefaultSimState().plans.size());
}

TEST(DeleteE2E, StopsAtTheActivePlanAfterDeletingTheOnesBefore) {
    Scenario s;
    s.SetSimState(StateWith({Plan(kTripleA, "Twin"), Plan(kTripleB, "Twin")}, kTripleB));
    s.WriteJob(JobXml({StepXml("Delete Scheme", "Twin"), StepXml("Delete Scheme", "Never read")}));
    EXPECT_EQ(s.Run(), 0u);

    EXPECT_EQ(s.JournalCommands(), (std::vector<std::string>{kList, DeleteCommand(kTripleA)}));
    EXPECT_EQ(StepLines(s),
              Join({StepStart("Twin"),
                    DeletedLines("Twin", kTripleA),
                    {"DeletePowerSchemeVista|INFO|Scheme Name|Delete|Twin",
                     "DeletePowerSchemeVista|INFO|Scheme Guid|Delete|" + kTripleB,
                     "DeletePowerSchemeVista|FAILED|Scheme Is Currently Activated|Hence Not Deleted.|"}}));
    const SimState after = s.ReadSimState();
    EXPECT_FALSE(HasPlan(after, kTripleA));
    EXPECT_TRUE(HasPlan(after, kTripleB));
    EXPECT_EQ(after.activeGuid, kTripleB);
}

TEST(DeleteE2E, MissingOrUnnamedPlanRunsNoDeleteCommand) {
    Scenario missing;
    missing.WriteJob(JobXml({StepXml("Delete Scheme", "Nothing like it")}));
    EXPECT_EQ(missing.Run(), 0u);
    EXPECT_EQ(missing.JournalCommands(), std::vector<std::string>{kList});
    EXPECT_EQ(StepLines(missing), Join({StepStart("Nothing like it"),
                                        {"DeletePowerSchemeVista|ERROR|Nothing like it||Scheme Not Present"}}));
    EXPECT_EQ(missing.ReadSimState().plans.size(), DefaultSimState().plans.size());

    // Without a name nothing is listed or deleted.
    Scenario unnamed;
    unnamed.WriteJob(JobXml({StepXml("Delete Scheme", "")}));
    EXPECT_EQ(unnamed.Run(), 0u);
    EXPECT_TRUE(unnamed.JournalCommands().empty());
    EXPECT_EQ(StepLines(unnamed),
              (std::vector<std::string>{"WinMain|INFO|Action|Delete|",
                                        "DeletePowerSchemeVista|ERROR|Scheme Name||Scheme Name Empty"}));
}

TEST(DeleteE2E, FailingDeleteCommandStopsBeforeTheNextMatch) {
    Scenario s;
    SimState state = StateWith({Plan(kTripleA, "Twin"), Plan(kTripleB, "Twin")});
    SimFault fault;
    fault.match = "-DELETE";
    fault.exitCode = 5;
    fault.message = "Access denied.";
    state.faults.push_back(fault);
    s.SetSimState(state);
    s.WriteJob(JobXml({StepXml("Delete Scheme", "Twin")}));
    EXPECT_EQ(s.Run(), 0u);

    EXPECT_EQ(s.JournalCommands(), (std::vector<std::string>{kList, DeleteCommand(kTripleA)}));
    const std::vector<std::string> lines = StepLines(s);
    const std::vector<std::string> expected = Join({StepStart("Twin"),
                                                    {"DeletePowerSchemeVista|INFO|Scheme Name|Delete|Twin",
                                                     "DeletePowerSchemeVista|INFO|Scheme Guid|Delete|" + kTripleA,
                                                     "ExecuteCMD|SUCCESS|1|5|" + DeleteCommand(kTripleA)}});
    ASSERT_EQ(lines.size(), expected.size() + 1);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), lines.begin()));
    EXPECT_EQ(lines.back().rfind("DeletePowerSchemeVista|FAILED|ExecuteCommand|", 0), 0u) << lines.back();

    const SimState after = s.ReadSimState();
    EXPECT_TRUE(HasPlan(after, kTripleA));
    EXPECT_TRUE(HasPlan(after, kTripleB));
}
