#include "simulator/sim_state.h"

#include <gtest/gtest.h>

#include "simulator/sim_settings.h"

namespace {

void ExpectSameState(const SimState& a, const SimState& b) {
    EXPECT_EQ(a.activeGuid, b.activeGuid);
    EXPECT_EQ(a.hibernateSupported, b.hibernateSupported);
    EXPECT_EQ(a.hibernateOn, b.hibernateOn);
    EXPECT_EQ(a.invocations, b.invocations);
    EXPECT_EQ(a.hiddenSetting, b.hiddenSetting);
    ASSERT_EQ(a.plans.size(), b.plans.size());
    for (size_t i = 0; i < a.plans.size(); ++i) {
        EXPECT_EQ(a.plans[i].guid, b.plans[i].guid);
        EXPECT_EQ(a.plans[i].name, b.plans[i].name);
        EXPECT_EQ(a.plans[i].description, b.plans[i].description);
        EXPECT_EQ(a.plans[i].values, b.plans[i].values);
    }
    ASSERT_EQ(a.faults.size(), b.faults.size());
    for (size_t i = 0; i < a.faults.size(); ++i) {
        EXPECT_EQ(a.faults[i].nth, b.faults[i].nth);
        EXPECT_EQ(a.faults[i].match, b.faults[i].match);
        EXPECT_EQ(a.faults[i].exitCode, b.faults[i].exitCode);
        EXPECT_EQ(a.faults[i].message, b.faults[i].message);
    }
}

}  // namespace

TEST(SimState, DefaultHoldsTheBuiltInPlansWithValidValues) {
    const SimState state = DefaultSimState();
    ASSERT_EQ(state.plans.size(), 3u);
    EXPECT_EQ(state.plans[0].guid, "381b4222-f694-41f0-9685-ff5bb260df2e");
    EXPECT_EQ(state.plans[0].name, "Balanced");
    EXPECT_EQ(state.plans[1].guid, "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c");
    EXPECT_EQ(state.plans[1].name, "High performance");
    EXPECT_EQ(state.plans[2].guid, "a1841308-3541-4fab-bc81-f71556f20b4a");
    EXPECT_EQ(state.plans[2].name, "Power saver");
    EXPECT_EQ(state.activeGuid, state.plans[0].guid);
    EXPECT_TRUE(state.hibernateSupported);
    EXPECT_FALSE(state.hibernateOn);
    EXPECT_EQ(state.invocations, 0);
    EXPECT_TRUE(state.faults.empty());

    ASSERT_EQ(kSimSettingCount, 22u);
    for (const SimPlan& plan : state.plans) {
        EXPECT_FALSE(plan.description.empty());
        EXPECT_EQ(plan.values.size(), 22u) << plan.name;
        for (size_t i = 0; i < kSimSettingCount; ++i) {
            const SimSetting& row = kSimSettings[i];
            const auto found = plan.values.find(SimSettingKey(row.subgroup, row.setting));
            ASSERT_NE(found, plan.values.end()) << plan.name << " row " << i + 1;
            std::uint32_t ac = 0, dc = 0;
            EXPECT_TRUE(ParseSimIndex(found->second.first, ac) && ac <= row.kind->maxIndex) << i + 1;
            EXPECT_TRUE(ParseSimIndex(found->second.second, dc) && dc <= row.kind->maxIndex) << i + 1;
        }
    }
}

TEST(SimState, SerializedStateParsesBackUnchanged) {
    SimState state = DefaultSimState();
    state.plans.push_back({"11111111-2222-4333-8444-555555555555",
                           "Tab\there \"quoted\" C:\\dir\\",
                           "line one\r\nline two\\n \xC3\xA9t\xC3\xA9",
                           {{"a/b", {"1", ""}}}});
    state.plans.push_back({"22222222-2222-4333-8444-555555555555", "", "", {}});
    state.activeGuid = "11111111-2222-4333-8444-555555555555";
    state.hibernateSupported = false;
    state.hibernateOn = true;
    state.invocations = 17;
    state.hiddenSetting = "a/b";
    state.faults.push_back({3, "", 5, "Access is denied."});
    state.faults.push_back({0, "-SETACTIVE \"x\ty\"", -2, ""});

    const std::string text = SerializeSimState(state);
    SimState parsed;
    std::string error;
    ASSERT_TRUE(ParseSimState(text, parsed, error)) << error;
    ExpectSameState(parsed, state);

    // Windows line ends, as a file edited on Windows would have, read the same.
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    SimState fromCrlf;
    ASSERT_TRUE(ParseSimState(crlf, fromCrlf, error)) << error;
    ExpectSameState(fromCrlf, state);
}

TEST(SimState, MalformedTextIsRefusedAndLeavesTheStateAlone) {
    const char* bad[] = {
        "unknown\tx\n",
        "value\ta/b\t1\t2\n",  // no plan before it
        "plan\tg\tname\n",     // missing description
        "plan\tg\tbad\\x escape\tdesc\n",
        "plan\tg\tends in backslash\\\tdesc\n",
        "hibernate\t2\t0\n",
        "invocations\tmany\n",
        "invocations\t-1\n",
        "fault\t1\tone\tm\tmsg\n",
    };
    for (const char* text : bad) {
        SimState state = DefaultSimState();
        std::string error;
        EXPECT_FALSE(ParseSimState(text, state, error)) << text;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(state.plans.size(), 3u);
    }
    SimState state;
    std::string error;
    ASSERT_TRUE(ParseSimState("# comment\n\nactive\tx\n", state, error)) << error;
    EXPECT_EQ(state.activeGuid, "x");
    EXPECT_TRUE(state.hibernateSupported);  // defaults where the file is silent
}

TEST(SimState, LookupByGuidIgnoresCaseAndByNameDoesNot) {
    SimState state = DefaultSimState();
    state.plans.push_back({"0a0a0a0a-0000-4000-8000-000000000000", "Balanced", "", {}});
    state.plans.push_back({"0b0b0b0b-0000-4000-8000-000000000000", "balanced", "", {}});

    const SimPlan* found = FindPlan(state, "381B4222-F694-41F0-9685-FF5BB260DF2E");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, "Balanced");
    EXPECT_EQ(FindPlan(state, "381b4222-f694-41f0-9685-ff5bb260df2"), nullptr);
    EXPECT_EQ(FindPlan(state, ""), nullptr);

    const auto byName = FindPlansByName(state, "Balanced");
    ASSERT_EQ(byName.size(), 2u);
    EXPECT_EQ(byName[0]->guid, "381b4222-f694-41f0-9685-ff5bb260df2e");
    EXPECT_EQ(byName[1]->guid, "0a0a0a0a-0000-4000-8000-000000000000");
    EXPECT_TRUE(FindPlansByName(state, "Nothing").empty());
}
