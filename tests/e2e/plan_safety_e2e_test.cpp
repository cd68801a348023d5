// Requests that must never act on a plan the job did not name: names that do
// not reach POWERCFG exactly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/scenario.h"

namespace {
std::string LastLineOf(const Scenario& s, const std::string& module) {
    std::string last;
    for (const LogRecordLine& r : s.Log())
        if (r.module == module) last = LogLineText(r);
    return last;
}

std::vector<std::string> PlanNames(const SimState& state) {
    std::vector<std::string> names;
    for (const SimPlan& plan : state.plans) names.push_back(plan.name);
    return names;
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
        {StepXml("Create Scheme", "\xF0\x9F\x94\x8B", {{"schbasedon", "1"}}),  // a battery emoji
         "CreatePowerSchemeVista", "Scheme Name||Scheme Name Not In Code Page", kNotInCodePage},
        {StepXml("Modify Scheme", "Night\nShift", {{"overwrite", "1"}, {"schbasedon", "1"}}), "ModifyPowerSchemeVista",
         "Scheme Name||Scheme Name Has Control Characters", "Scheme Name holds control characters hence not processed"},
        {StepXml("Create Scheme", "Night", {{"schbasedon", "1"}, {"schdesc", "Late\tshift"}}), "CreatePowerSchemeVista",
         "Scheme Description||Scheme Description Has Control Characters",
         "Scheme Description holds control characters hence not processed"},
    };
    SimState state = DefaultSimState();
    state.plans.push_back({"0a1b2c3d-0000-4000-8000-000000000001", "????", "", {}});
    state.plans.push_back({"0a1b2c3d-0000-4000-8000-000000000002", "Office", "", {}});
    state.plans.push_back({"0a1b2c3d-0000-4000-8000-000000000003", "??", "", {}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        Scenario s;
        s.SetSimState(state);
        s.WriteJob(JobXml({c.step}));
        EXPECT_EQ(s.Run(), 0u);
        EXPECT_TRUE(s.JournalCommands().empty());
        EXPECT_EQ(LastLineOf(s, c.module), c.module + "|ERROR|" + c.refusal);
        const Posted posted = PostedStatus(s);
        EXPECT_EQ(posted.status, "Fail");
        EXPECT_EQ(posted.desc, c.status);
        EXPECT_EQ(PlanNames(s.ReadSimState()), PlanNames(state));
    }
}
