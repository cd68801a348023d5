#include "simulator/sim_run.h"

#include <gtest/gtest.h>

#include "base/command_quote.h"
#include "simulator/sim_state.h"

namespace {

const char kBalanced[] = "381b4222-f694-41f0-9685-ff5bb260df2e";
const char kHigh[] = "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c";
const char kSaver[] = "a1841308-3541-4fab-bc81-f71556f20b4a";
const char kNotFound[] = "The power scheme, subgroup or setting specified does not exist.\r\n";
const char kInvalid[] = "Invalid Parameters -- try \"/?\" for help\r\n";
const char kMonitorKey[] = "7516b95f-f776-4464-8c53-06167f40cc99/3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e";

const char kDefaultListing[] =
    "\r\nExisting Power Schemes (* Active)\r\n"
    "-----------------------------------\r\n"
    "Power Scheme GUID: 381b4222-f694-41f0-9685-ff5bb260df2e  (Balanced) *\r\n"
    "Power Scheme GUID: 8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c  (High performance)\r\n"
    "Power Scheme GUID: a1841308-3541-4fab-bc81-f71556f20b4a  (Power saver)\r\n";

// Runs one command and checks that a failure changed nothing but the count.
SimOutcome Invoke(SimState& state, const std::string& commandLine) {
    const std::string before = SerializeSimState(state);
    const SimOutcome outcome = RunSimInvocation(state, commandLine);
    if (outcome.exitCode != 0) {
        SimState expected;
        std::string error;
        EXPECT_TRUE(ParseSimState(before, expected, error));
        expected.invocations += 1;
        EXPECT_EQ(SerializeSimState(state), SerializeSimState(expected)) << commandLine;
    }
    return outcome;
}

void ExpectRefused(SimState& state, const std::string& commandLine, const std::string& err) {
    const SimOutcome outcome = Invoke(state, commandLine);
    EXPECT_EQ(outcome.exitCode, 1) << commandLine;
    EXPECT_EQ(outcome.out, "") << commandLine;
    EXPECT_EQ(outcome.err, err) << commandLine;
}

std::string Value(const SimState& state, const char* guid, const char* key, bool mains) {
    const auto& values = FindPlan(state, guid)->values.at(key);
    return mains ? values.first : values.second;
}

}  // namespace

TEST(SimRun, ListingShowsPlansSortedByGuidWithTheActiveMarker) {
    SimState state = DefaultSimState();
    for (const char* line :
         {"powercfg.exe /l", "POWERCFG /L", "powercfg -list", "\"C:\\Win dir\\powercfg.exe\" /list"}) {
        const SimOutcome outcome = Invoke(state, line);
        EXPECT_EQ(outcome.exitCode, 0) << line;
        EXPECT_EQ(outcome.out, kDefaultListing) << line;
        EXPECT_EQ(outcome.err, "");
    }
    EXPECT_EQ(state.invocations, 4);

    // Stored out of order, with an upper-case GUID: printed sorted, lower case.
    state.plans.insert(state.plans.begin(), {"9ABC0000-0000-4000-8000-000000000000", "Team (night) plan", "", {}});
    state.activeGuid = "9abc0000-0000-4000-8000-000000000000";
    EXPECT_EQ(Invoke(state, "powercfg.exe /l").out,
              "\r\nExisting Power Schemes (* Active)\r\n"
              "-----------------------------------\r\n"
              "Power Scheme GUID: 381b4222-f694-41f0-9685-ff5bb260df2e  (Balanced)\r\n"
              "Power Scheme GUID: 8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c  (High performance)\r\n"
              "Power Scheme GUID: 9abc0000-0000-4000-8000-000000000000  (Team (night) plan) *\r\n"
              "Power Scheme GUID: a1841308-3541-4fab-bc81-f71556f20b4a  (Power saver)\r\n");
}

TEST(SimRun, DuplicationCopiesTheBasePlanWithoutActivatingIt) {
    SimState state = DefaultSimState();
    const SimOutcome outcome = Invoke(state, std::string("POWERCFG -DUPLICATESCHEME \"") + kSaver + "\"");
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    ASSERT_EQ(state.plans.size(), 4u);
    const SimPlan& copy = state.plans.back();
    EXPECT_EQ(outcome.out, "Power Scheme GUID: " + copy.guid + "  (Power saver)\r\n");
    EXPECT_EQ(copy.guid.size(), 36u);
    EXPECT_EQ(copy.name, "Power saver");
    EXPECT_EQ(copy.description, state.plans[2].description);
    EXPECT_EQ(copy.values, state.plans[2].values);
    EXPECT_EQ(state.activeGuid, kBalanced);

    // The same history gives the same GUID; a second copy gets another one.
    SimState again = DefaultSimState();
    Invoke(again, std::string("POWERCFG -DUPLICATESCHEME \"") + kSaver + "\"");
    EXPECT_EQ(again.plans.back().guid, copy.guid);
    Invoke(state, std::string("POWERCFG -DUPLICATESCHEME \"") + kSaver + "\"");
    ASSERT_EQ(state.plans.size(), 5u);
    EXPECT_NE(state.plans[4].guid, state.plans[3].guid);

    // A chosen GUID, given in upper case, is stored in lower case.
    const SimOutcome chosen = Invoke(state,
                                     "powercfg -duplicatescheme 8C5E7FDA-E8BF-4A96-9A85-A6E23A8C635C "
                                     "ABCDEF01-2345-4678-9ABC-DEF012345678");
    EXPECT_EQ(chosen.out, "Power Scheme GUID: abcdef01-2345-4678-9abc-def012345678  (High performance)\r\n");
    EXPECT_NE(FindPlan(state, "abcdef01-2345-4678-9abc-def012345678"), nullptr);

    ExpectRefused(state, "powercfg -duplicatescheme 00000000-0000-0000-0000-000000000000", kNotFound);
    ExpectRefused(state, std::string("powercfg -duplicatescheme ") + kHigh + " not-a-guid", kInvalid);
    ExpectRefused(state, std::string("powercfg -duplicatescheme ") + kHigh + " " + kBalanced,
                  "Unable to create a new power scheme: the GUID is already in use.\r\n");
    ExpectRefused(state, "powercfg -duplicatescheme", kInvalid);
}

TEST(SimRun, RenameKeepsAwkwardNamesIntact) {
    SimState state = DefaultSimState();
    const std::string name = "My \"fast\" plan\\";
    const std::string description = "C:\\path\\ and\ttab \xC3\xA9";
    SimOutcome outcome = Invoke(state, "POWERCFG -CHANGENAME " + QuoteArgument(kHigh) + " " + QuoteArgument(name) +
                                           " " + QuoteArgument(description));
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(FindPlan(state, kHigh)->name, name);
    EXPECT_EQ(FindPlan(state, kHigh)->description, description);

    // Without a description only the name changes.
    outcome = Invoke(state, std::string("POWERCFG -CHANGENAME \"") + kHigh + "\" \"Plain\"");
    ASSERT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(FindPlan(state, kHigh)->name, "Plain");
    EXPECT_EQ(FindPlan(state, kHigh)->description, description);

    ExpectRefused(state, "POWERCFG -CHANGENAME \"\" \"x\"", kNotFound);
    ExpectRefused(state, std::string("POWERCFG -CHANGENAME \"") + kHigh + "\"", kInvalid);
    ExpectRefused(state, std::string("POWERCFG -CHANGENAME \"") + kHigh + "\" a b c", kInvalid);
}

TEST(SimRun, HibernationSwitchFollowsSupport) {
    SimState state = DefaultSimState();
    EXPECT_EQ(Invoke(state, "POWERCFG -H \"ON\"").exitCode, 0);
    EXPECT_TRUE(state.hibernateOn);
    EXPECT_EQ(Invoke(state, "POWERCFG /hibernate off").exitCode, 0);
    EXPECT_FALSE(state.hibernateOn);
    EXPECT_EQ(Invoke(state, "powercfg -h On").exitCode, 0);
    EXPECT_TRUE(state.hibernateOn);
    ExpectRefused(state, "POWERCFG -H \"maybe\"", kInvalid);
    ExpectRefused(state, "POWERCFG -H", kInvalid);
    ExpectRefused(state, "POWERCFG -H on off", kInvalid);

    state.hibernateSupported = false;
    for (const char* line : {"POWERCFG -H \"ON\"", "POWERCFG -H \"OFF\""})
        ExpectRefused(state, line, "Hibernation failed with the following error: The request is not supported.\r\n");
}

TEST(SimRun, ValueIndexesAreCheckedAgainstEachSetting) {
    SimState state = DefaultSimState();
    const std::string battery = " e73a048d-bf27-4f12-9731-8b2076e8891f ";
    const std::string critAction = battery + "637ea02f-bbcb-4015-8e2c-a1c7b9c0b546 ";
    const std::string critLevel = battery + "9a66d8d7-4ff7-4ef9-b5a2-5a326ca2a469 ";
    const std::string monitor = " 7516b95f-f776-4464-8c53-06167f40cc99 3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e ";
    const std::string startMenu = " 4f971e89-eebd-4455-a8de-9e59040e7347 a7066653-8d6c-40a8-910e-a1f54b84c7e5 ";
    const std::string cooling = " 54533251-82be-4824-96c1-47b60b740d00 94d3a615-a899-4ac5-ae2b-e4d8f634367f ";
    const std::string plan = std::string("POWERCFG -SETACVALUEINDEX ") + kSaver;
    const std::string planDc = std::string("POWERCFG -SETDCVALUEINDEX ") + kSaver;

    struct Case {
        std::string line;
        bool accepted;
    };
    const Case cases[] = {
        {plan + monitor + "\"4294967295\"", true},
        {plan + monitor + "0xFFFFFFFF", true},
        {plan + monitor + "4294967296", false},
        {plan + monitor + "\"\"", false},
        {plan + monitor + "\" 60\"", false},
        {plan + monitor + "-1", false},
        {plan + monitor + "60s", false},
        {plan + monitor + "0x", false},
        {plan + critLevel + "100", true},
        {plan + critLevel + "101", false},
        {plan + critAction + "003", true},
        {plan + critAction + "4", false},
        {plan + startMenu + "2", true},
        {plan + startMenu + "3", false},
        {plan + cooling + "1", true},
        {plan + cooling + "2", false},
    };
    for (const Case& c : cases) {
        if (c.accepted)
            EXPECT_EQ(Invoke(state, c.line).exitCode, 0) << c.line;
        else
            ExpectRefused(state, c.line, kInvalid);
    }

    // Stored as decimal text, AC and DC apart; GUIDs match in any case.
    EXPECT_EQ(Invoke(state, plan + monitor + "0x3C").exitCode, 0);
    EXPECT_EQ(Invoke(state,
                     "powercfg -setdcvalueindex A1841308-3541-4FAB-BC81-F71556F20B4A"
                     " 7516B95F-F776-4464-8C53-06167F40CC99 3C0BC021-C8A8-4E07-A973-6B14CBCB2B7E 0120")
                  .exitCode,
              0);
    EXPECT_EQ(Value(state, kSaver, kMonitorKey, true), "60");
    EXPECT_EQ(Value(state, kSaver, kMonitorKey, false), "120");
    EXPECT_EQ(Value(state, kBalanced, kMonitorKey, true), "600");

    ExpectRefused(state, std::string("POWERCFG -SETACVALUEINDEX 00000000-0000-0000-0000-000000000000") + monitor + "1",
                  kNotFound);
    ExpectRefused(state, plan + " 00000000-0000-0000-0000-000000000000 3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e 1",
                  kNotFound);
    ExpectRefused(state, planDc + battery + "3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e 1", kNotFound);
    ExpectRefused(state, plan + monitor, kInvalid);
    ExpectRefused(state, plan + monitor + "1 2", kInvalid);
}

TEST(SimRun, ActivationAndDeletion) {
    SimState state = DefaultSimState();
    EXPECT_EQ(Invoke(state, std::string("POWERCFG -SETACTIVE \"") + "8C5E7FDA-E8BF-4A96-9A85-A6E23A8C635C\"").exitCode,
              0);
    EXPECT_EQ(state.activeGuid, kHigh);
    ExpectRefused(state, "POWERCFG -SETACTIVE \"00000000-0000-0000-0000-000000000000\"", kNotFound);

    ExpectRefused(state, std::string("POWERCFG -DELETE \"") + kHigh + "\"",
                  "Unable to delete the active power scheme.\r\n");
    const SimOutcome deleted = Invoke(state, std::string("POWERCFG -DELETE \"") + kBalanced + "\"");
    EXPECT_EQ(deleted.exitCode, 0);
    EXPECT_EQ(deleted.out, "");
    EXPECT_EQ(FindPlan(state, kBalanced), nullptr);
    EXPECT_EQ(state.plans.size(), 2u);
    ExpectRefused(state, std::string("POWERCFG -DELETE \"") + kBalanced + "\"", kNotFound);
}

TEST(SimRun, BadSyntaxIsRefused) {
    SimState state = DefaultSimState();
    for (const char* line : {"powercfg.exe", "powercfg.exe   ", "powercfg.exe /l extra", "powercfg.exe /x",
                             "powercfg.exe l", "powercfg.exe -", "powercfg.exe --list", "powercfg.exe \"/l\"x",
                             "powercfg.exe -SETACTIVE", "powercfg.exe -DELETE a b"})
        ExpectRefused(state, line, kInvalid);
    EXPECT_EQ(state.invocations, 10);
}

TEST(SimRun, InjectedFaultsFailWithoutChangingAnything) {
    SimState state = DefaultSimState();
    state.faults.push_back({3, "", 5, "Access is denied."});
    state.faults.push_back({0, "-SETACTIVE", 1, ""});

    EXPECT_EQ(Invoke(state, "POWERCFG -H ON").exitCode, 0);
    EXPECT_EQ(Invoke(state, "powercfg.exe /l").exitCode, 0);
    SimOutcome third = Invoke(state, "POWERCFG -H OFF");
    EXPECT_EQ(third.exitCode, 5);
    EXPECT_EQ(third.out, "");
    EXPECT_EQ(third.err, "Access is denied.\r\n");
    EXPECT_TRUE(state.hibernateOn);
    EXPECT_EQ(Invoke(state, "POWERCFG -H OFF").exitCode, 0);
    EXPECT_FALSE(state.hibernateOn);

    const SimOutcome matched = Invoke(state, std::string("POWERCFG -SETACTIVE \"") + kSaver + "\"");
    EXPECT_EQ(matched.exitCode, 1);
    EXPECT_EQ(matched.err, "");
    EXPECT_EQ(state.activeGuid, kBalanced);
    // The text is matched exactly, letter case included.
    EXPECT_EQ(Invoke(state, std::string("POWERCFG -setactive \"") + kSaver + "\"").exitCode, 0);
    EXPECT_EQ(state.invocations, 6);
}

TEST(SimRun, FaultOutputComesFirstAndThenRunCarriesOutTheCommand) {
    SimState state = DefaultSimState();
    SimFault misleading{0, "-H ON", 0, "", "Noise\r\n", true, 0};
    state.faults.push_back(misleading);
    state.faults.push_back({0, "/l", 0, "", "Nothing\r\n", false, 250});

    const SimOutcome listed = Invoke(state, "powercfg.exe /l");
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.out, "Nothing\r\n");
    EXPECT_EQ(listed.sleepMs, 250);
    const SimOutcome switched = Invoke(state, "POWERCFG -H ON");
    EXPECT_EQ(switched.out, "Noise\r\n");
    EXPECT_TRUE(state.hibernateOn);

    SimState again;
    std::string error;
    ASSERT_TRUE(ParseSimState(SerializeSimState(state), again, error)) << error;
    ASSERT_EQ(again.faults.size(), 2u);
    EXPECT_EQ(again.faults[0].output, "Noise\r\n");
    EXPECT_TRUE(again.faults[0].thenRun);
    EXPECT_EQ(again.faults[1].sleepMs, 250);
}

TEST(SimRun, QueryPrintsOnePlansSettingsInTheToolsLayout) {
    SimState state = DefaultSimState();
    const SimOutcome active = Invoke(state, "powercfg /q");
    ASSERT_EQ(active.exitCode, 0) << active.err;
    EXPECT_EQ(active.out.rfind("Power Scheme GUID: 381b4222-f694-41f0-9685-ff5bb260df2e  (Balanced)\r\n", 0), 0u);
    EXPECT_NE(active.out.find("  Subgroup GUID: 0012ee47-9041-4b5d-9b77-535fba8b1442  (Hard disk)\r\n"
                              "    Power Setting GUID: 6738e2c4-e8a5-4a42-b16a-e040e769756e  (Turn off hard disk "
                              "after)\r\n"
                              "      Minimum Possible Setting: 0x00000000\r\n"
                              "      Maximum Possible Setting: 0xffffffff\r\n"
                              "      Possible Settings increment: 0x00000001\r\n"
                              "      Possible Settings units: Seconds\r\n"
                              "    Current AC Power Setting Index: 0x000004b0\r\n"
                              "    Current DC Power Setting Index: 0x00000258\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(
        active.out.find("    Power Setting GUID: 94d3a615-a899-4ac5-ae2b-e4d8f634367f  (System cooling policy)\r\n"
                        "      Possible Setting Index: 000\r\n"
                        "      Possible Setting Friendly Name: Passive\r\n"
                        "      Possible Setting Index: 001\r\n"
                        "      Possible Setting Friendly Name: Active\r\n"
                        "    Current AC Power Setting Index: 0x00000001\r\n"
                        "    Current DC Power Setting Index: 0x00000000\r\n"),
        std::string::npos);
    const auto count = [](const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count(active.out, "    Current DC Power Setting Index: 0x"), 22u);

    // The hidden setting and its subgroup, which has no other, are left out.
    state.hiddenSetting = "0012ee47-9041-4b5d-9b77-535fba8b1442/6738e2c4-e8a5-4a42-b16a-e040e769756e";
    const std::string high =
        Invoke(state, std::string("POWERCFG -QUERY ") + "8C5E7FDA-E8BF-4A96-9A85-A6E23A8C635C").out;
    EXPECT_EQ(high, Invoke(state, std::string("powercfg /Query ") + kHigh).out);
    EXPECT_EQ(high.rfind(std::string("Power Scheme GUID: ") + kHigh + "  (High performance)\r\n", 0), 0u);
    EXPECT_EQ(high.find("0012ee47"), std::string::npos);
    EXPECT_EQ(count(high, "    Current AC Power Setting Index: 0x"), 21u);

    const SimOutcome french = RunSimInvocation(state, "powercfg -q", SimLanguage::French);
    EXPECT_EQ(
        french.out.rfind(
            "GUID du mode de gestion de l'alimentation\xc2\xa0: 381b4222-f694-41f0-9685-ff5bb260df2e  (Balanced)\r\n",
            0),
        0u);
    EXPECT_EQ(count(french.out, "\xc2\xa0: "), count(french.out, ": "));  // every label
    ExpectRefused(state, "powercfg /q 00000000-0000-0000-0000-000000000000", kNotFound);
    ExpectRefused(state, std::string("powercfg /q ") + kHigh + " extra", kInvalid);
}
