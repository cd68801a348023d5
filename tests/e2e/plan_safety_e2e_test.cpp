// Requests that must never act on a plan the job did not name: names that do
// not reach POWERCFG exactly, a creation that could only fail after its base
// plan was copied, and listings or duplication output that cannot be trusted.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/scenario.h"
#include "tests/e2e/valid_settings.h"
#include "tests/win/temp_folder.h"

namespace {
constexpr char kListing[] = "powercfg.exe /l";
constexpr char kBalanced[] = "381b4222-f694-41f0-9685-ff5bb260df2e";

std::string LastLineOf(const Scenario& s, const std::string& module) {
    const std::vector<std::string> lines = LinesOf(s, module);
    return lines.empty() ? std::string() : lines.back();
}

std::vector<std::string> PlanNames(const SimState& state) {
    std::vector<std::string> names;
    for (const SimPlan& plan : state.plans) names.push_back(plan.name);
    return names;
}

// The default plans, with every command that contains `match` ending with
// `exitCode` after printing `output` (and carried out after it with `thenRun`).
SimState StateWithFault(const std::string& match, int exitCode, const std::string& output, bool thenRun = false) {
    SimFault fault;
    fault.match = match;
    fault.exitCode = exitCode;
    fault.output = output;
    fault.thenRun = thenRun;
    SimState state = DefaultSimState();
    state.faults.push_back(fault);
    return state;
}
}  // namespace

// Code page 1252 has no Cyrillic letter, no full-width letter and no emoji: the
// system's nearest forms ("????", "Office", "??") name other plans, which stay.
TEST(PlanSafetyE2E, NamesThatDoNotReachPowercfgExactlyAreRefusedBeforeAnyCommand) {
    if (GetACP() != 1252 || GetOEMCP() != 437) GTEST_SKIP() << "needs the ANSI 1252 / OEM 437 pair";
    const char kNotInCodePage[] =
        "Scheme Name holds characters that the system's code pages cannot hold exactly hence not processed";
    const struct {
        std::string step;
        std::string module;
        std::string refusal;  // val3 of the refusal line, with its val1
        std::string status;
    } cases[] = {
        {StepXml("Delete Scheme", "\xD0\x9F\xD0\xBB\xD0\xB0\xD0\xBD"),  // "План"
         "DeletePowerSchemeVista", "Scheme Name||Scheme Name Not In Code Page", kNotInCodePage},
        {StepXml("Delete Scheme", "\xEF\xBC\xAF\xEF\xBD\x86\xEF\xBD\x86\xEF\xBD\x89\xEF\xBD\x83\xEF\xBD\x85"),
         "DeletePowerSchemeVista", "Scheme Name||Scheme Name Not In Code Page", kNotInCodePage},  // "Ｏｆｆｉｃｅ"
        {StepXml("Create Scheme", "\xF0\x9F\x94\x8B", {{"schbasedon", "1"}}),                     // a battery emoji
         "CreatePowerSchemeVista", "Scheme Name||Scheme Name Not In Code Page", kNotInCodePage},
        {StepXml("Modify Scheme", "Night\nShift", {{"overwrite", "1"}, {"schbasedon", "1"}}), "ModifyPowerSchemeVista",
         "Scheme Name||Scheme Name Has Control Characters", "Scheme Name holds control characters hence not processed"},
        {StepXml("Delete Scheme", "Late\tShift"), "DeletePowerSchemeVista",
         "Scheme Name||Scheme Name Has Control Characters", "Scheme Name holds control characters hence not processed"},
        {StepXml("Create Scheme", "Night", {{"schbasedon", "1"}, {"schdesc", "Late\tshift"}}), "CreatePowerSchemeVista",
         "Scheme Description||Scheme Description Has Control Characters",
         "Scheme Description holds control characters hence not processed"},
        {StepXml("Delete Scheme", "Plan ?"), "DeletePowerSchemeVista", "Scheme Name||Scheme Name Has Question Mark",
         "Scheme Name holds a question mark hence not processed"},  // "Plan Ж" is listed so
        // The listing trims names: "Office " would never be found again.
        {"<step value=\"1\"><action>Create Scheme</action><schname><![CDATA[Office ]]></schname></step>",
         "CreatePowerSchemeVista", "Scheme Name||Scheme Name Begins Or Ends With White Space",
         "Scheme Name begins or ends with white space hence not processed"},
    };
    SimState state = DefaultSimState();
    state.plans.push_back({"0a1b2c3d-0000-4000-8000-000000000001", "????", "", {}});
    state.plans.push_back({"0a1b2c3d-0000-4000-8000-000000000002", "Office", "", {}});
    state.plans.push_back({"0a1b2c3d-0000-4000-8000-000000000003", "??", "", {}});
    state.plans.push_back({"0a1b2c3d-0000-4000-8000-000000000004", "Plan \xD0\x96", "", {}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        Scenario s;
        s.SetSimState(state);
        s.WriteJob(JobXml({c.step}));
        EXPECT_EQ(s.Run(), 0u);
        EXPECT_TRUE(s.JournalCommands().empty());
        EXPECT_EQ(LastLineOf(s, c.module), c.module + "|ERROR|" + c.refusal);
        // The Action line keeps its columns; only a tab is shown as a blank.
        if (c.step.find("Late\tShift") != std::string::npos) {
            const std::vector<std::string> lines = LinesOf(s, "WinMain");
            EXPECT_NE(std::find(lines.begin(), lines.end(), "WinMain|INFO|Action|Delete|Late Shift"), lines.end());
        }
        const Posted posted = PostedStatus(s);
        EXPECT_EQ(posted.status, "Fail");
        EXPECT_EQ(posted.desc, c.status);
        EXPECT_EQ(PlanNames(s.ReadSimState()), PlanNames(state));
    }
}

// A 49-character name with a long description cannot be renamed: refused with
// the rename failure before the base plan is copied, so no stray copy is left.
TEST(PlanSafetyE2E, CreationThatCannotBeRenamedIsRefusedBeforeTheCopy) {
    Scenario s;
    s.WriteJob(JobXml(
        {StepXml("Create Scheme", std::string(49, 'n'), {{"schbasedon", "1"}, {"schdesc", std::string(950, 'd')}})}));
    EXPECT_EQ(s.Run(), 0u);
    EXPECT_EQ(s.JournalCommands(), std::vector<std::string>{kListing});
    EXPECT_EQ(PlanNames(s.ReadSimState()), PlanNames(DefaultSimState()));
    const Posted posted = PostedStatus(s);
    EXPECT_EQ(
        posted.desc.rfind("Not Able to Change Name and Desc : This Command POWERCFG -CHANGENAME cannot be Executed", 0),
        0u)
        << posted.desc;
    EXPECT_EQ(LastLineOf(s, "CreatePowerSchemeVista").rfind("CreatePowerSchemeVista|FAILED|ExecuteCommand|122|", 0),
              0u);
}

// A listing that failed or listed nothing ends the step with no further
// command (before, a modification of a listed plan posted success having done
// nothing, and a creation of an existing plan made a second one). A duplication
// whose output names a plan that was already listed touches no plan (before,
// the base plan was renamed and rewritten).
TEST(PlanSafetyE2E, ListingsAndDuplicationOutputAreTrustedOnlyWhenTheyWorked) {
    Scenario failed;
    failed.SetSimState(StateWithFault(kListing, 1, "Unexpected error.\r\n"));
    failed.WriteJob(JobXml({StepXml("Modify Scheme", "Balanced", {{"overwrite", "0"}})}));
    EXPECT_EQ(failed.Run(), 0u);
    EXPECT_EQ(failed.JournalCommands(), std::vector<std::string>{kListing});
    EXPECT_EQ(LinesOf(failed, "ModifyPowerSchemeVista").back(),
              "ModifyPowerSchemeVista|ERROR|Scheme List|1|Listing Failed");
    EXPECT_EQ(PostedStatus(failed).desc, "Not Able to List Power Schemes : powercfg.exe /l ended with exit code 1");

    Scenario empty;
    empty.SetSimState(StateWithFault(
        kListing, 0, "\r\nExisting Power Schemes (* Active)\r\n-----------------------------------\r\n"));
    empty.WriteJob(JobXml({StepXml("Create Scheme", "Balanced", {{"schbasedon", "1"}})}));
    EXPECT_EQ(empty.Run(), 0u);
    EXPECT_EQ(empty.JournalCommands(), std::vector<std::string>{kListing});
    EXPECT_EQ(LastLineOf(empty, "CreatePowerSchemeVista"),
              "CreatePowerSchemeVista|ERROR|Scheme List||No Scheme Listed");
    EXPECT_EQ(PostedStatus(empty).desc, "Not Able to List Power Schemes : powercfg.exe /l listed no power scheme");
    EXPECT_EQ(PlanNames(empty.ReadSimState()), PlanNames(DefaultSimState()));

    // A listing that names a plan twice would have it deleted twice.
    Scenario twice;
    twice.SetSimState(
        StateWithFault(kListing, 0, std::string("Power Scheme GUID: ") + kBalanced + "  (Balanced)\r\n", true));
    twice.WriteJob(JobXml({StepXml("Delete Scheme", "Balanced")}));
    EXPECT_EQ(twice.Run(), 0u);
    EXPECT_EQ(twice.JournalCommands(), std::vector<std::string>{kListing});
    EXPECT_EQ(LastLineOf(twice, "DeletePowerSchemeVista"),
              std::string("DeletePowerSchemeVista|ERROR|Scheme List|") + kBalanced + "|Scheme Listed Twice");
    EXPECT_EQ(PostedStatus(twice).desc, std::string("Not Able to List Power Schemes : powercfg.exe /l listed the "
                                                    "power scheme ") +
                                            kBalanced + " twice");

    Scenario misleading;
    misleading.SetSimState(StateWithFault("-DUPLICATESCHEME", 0,
                                          std::string("Power Scheme GUID: ") + kBalanced + "  (Balanced)\r\n", true));
    misleading.WriteJob(
        JobXml({StepXml("Create Scheme", "Office", ValidSettings({{"schbasedon", "1"}, {"schactive", "1"}}))}));
    EXPECT_EQ(misleading.Run(), 0u);
    ASSERT_EQ(misleading.JournalCommands().size(), 2u);  // the listing and the duplication
    EXPECT_EQ(LastLineOf(misleading, "CreatePowerSchemeVista"),
              std::string("CreatePowerSchemeVista|ERROR|DUPLICATESCHEME|") + kBalanced + "|No New Scheme Guid");
    EXPECT_EQ(PostedStatus(misleading).desc, "Not Able to Create Scheme");
    const SimState after = misleading.ReadSimState();
    EXPECT_EQ(FindPlan(after, kBalanced)->name, FindPlan(DefaultSimState(), kBalanced)->name);
    EXPECT_EQ(FindPlan(after, kBalanced)->values, FindPlan(DefaultSimState(), kBalanced)->values);
    EXPECT_TRUE(FindPlansByName(after, "Office").empty());
}

// A dictionary comparison took "AEther" for "Æther".
TEST(PlanSafetyE2E, NamesMatchOnlyTheSameCharacters) {
    SimState state = DefaultSimState();
    state.plans.push_back({"0a1b2c3d-0000-4000-8000-000000000011", "\xC3\x86ther", "", {}});
    Scenario s;
    s.SetSimState(state);
    s.WriteJob(JobXml({StepXml("Delete Scheme", "AEther")}));
    EXPECT_EQ(s.Run(), 0u);
    EXPECT_EQ(PostedStatus(s).desc, "Scheme not present hence not deleted");
}

// A copy left unrenamed carries its base plan's name: it is deleted, or the status names it.
TEST(PlanSafetyE2E, CopyThatCannotBeRenamedIsDeleted) {
    for (const bool deleteFails : {false, true}) {
        SimState state = StateWithFault("-CHANGENAME", 1, "");
        if (deleteFails) state.faults.push_back({0, "-DELETE", 1, ""});
        Scenario s;
        s.SetSimState(state);
        s.WriteJob(JobXml({StepXml("Create Scheme", "Office", ValidSettings({{"schbasedon", "1"}}))}));
        EXPECT_EQ(s.Run(), 0u);
        const std::string copy = s.JournalCommands().at(2).substr(22, 36);  // POWERCFG -CHANGENAME "<GUID>"
        EXPECT_EQ(s.JournalCommands().back(), "POWERCFG -DELETE \"" + copy + "\"");
        EXPECT_EQ(FindPlan(s.ReadSimState(), copy) != nullptr, deleteFails);
        EXPECT_EQ(PostedStatus(s).desc.find("was left, Scheme GUID " + copy) != std::string::npos, deleteFails);
        EXPECT_EQ(ReadWholeFile(s.InstallPath() + "\\Kestrovane.copy").find(copy) != std::string::npos, deleteFails);
    }
}

// A run ended between the duplication and the rename leaves a copy named like
// its base plan, and its record. A later "Modify Scheme Balanced" must not
// take the copy for Balanced: while the copy cannot be deleted the step is
// refused with the copy's GUID; once it can, it is deleted before the step.
TEST(PlanSafetyE2E, CopyLeftByAKilledCreationIsDeletedBeforeTheNextStep) {
    Scenario s;
    const std::string record = s.InstallPath() + "\\Kestrovane.copy";
    const std::string stalled = s.SimStatePath() + ".stalled";
    s.WriteJob(JobXml({StepXml("Create Scheme", "Fresh", ValidSettings({{"schbasedon", "1"}}))}));
    s.SetEnv("KV_POWERCFG_STALL", "-CHANGENAME");
    HANDLE killed = s.Start();
    for (int i = 0; i < 1200 && ReadWholeFile(stalled).empty(); ++i) Sleep(50);
    TerminateProcess(killed, 1);
    EXPECT_EQ(Scenario::Wait(killed), 1u);
    HANDLE simulator =
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, std::strtoul(ReadWholeFile(stalled).c_str(), nullptr, 10));
    ASSERT_NE(simulator, nullptr) << "the rename never stalled";
    TerminateProcess(simulator, 1);
    WaitForSingleObject(simulator, 60 * 1000);
    CloseHandle(simulator);
    std::string copy;
    for (const SimPlan& plan : s.ReadSimState().plans)
        if (plan.name == "Balanced" && plan.guid != kBalanced) copy = plan.guid;
    ASSERT_FALSE(copy.empty());
    EXPECT_NE(ReadWholeFile(record).find(copy), std::string::npos);

    s.SetEnv("KV_POWERCFG_STALL", "");
    s.WriteJob(JobXml({StepXml("Modify Scheme", "Balanced", ValidSettings())}));
    SimState state = s.ReadSimState();
    state.faults.push_back({0, "-DELETE", 1, ""});
    s.SetSimState(state);
    EXPECT_EQ(s.Run(), 0u);
    const std::vector<std::string> refused = LogLines(s.Log());
    EXPECT_TRUE(Contains(refused, "WinMain|FAILED|Left Copy|" + copy + "|Copy Named Like Base Scheme Left"));
    EXPECT_EQ(LastLineOf(s, "ModifyPowerSchemeVista"), "ModifyPowerSchemeVista|FAILED|Balanced|Left Copy|" + copy);
    EXPECT_EQ(PostedStatus(s).desc,
              "A copy named like this scheme, left by a stopped run, could not be deleted (Scheme "
              "GUID " +
                  copy + ") hence not processed");
    EXPECT_EQ(s.JournalCommands().back(), "POWERCFG -DELETE \"" + copy + "\"");

    state.faults.clear();
    s.SetSimState(state);
    EXPECT_EQ(s.Run(), 0u);
    const std::vector<std::string> lines = LogLines(s.Log());
    const auto deleted = std::find(lines.begin(), lines.end(), "WinMain|SUCCESS|Left Copy|" + copy + "|Deleted");
    ASSERT_NE(deleted, lines.end());
    EXPECT_EQ(std::find(deleted, lines.end(), "WinMain|INFO|Action|Modify|Balanced") - deleted, 1);
    EXPECT_EQ(FindPlan(s.ReadSimState(), copy), nullptr);
    EXPECT_EQ(GetFileAttributesA(record.c_str()), INVALID_FILE_ATTRIBUTES);
    const std::vector<std::string> commands = s.JournalCommands();
    const auto write = std::find_if(commands.begin(), commands.end(), [](const std::string& c) {
        return c.find("-SETACVALUEINDEX") != std::string::npos;
    });
    ASSERT_NE(write, commands.end());
    EXPECT_NE(write->find(kBalanced), std::string::npos);
    const auto saved = s.SavedStatuses();
    EXPECT_EQ(std::count_if(saved.begin(), saved.end(), [](const auto& r) { return r.status == "Success"; }), 1);
}
