#include "check/model_plans.h"

#include <gtest/gtest.h>

namespace {
constexpr char kBalanced[] = "381b4222-f694-41f0-9685-ff5bb260df2e";
constexpr char kSaver[] = "a1841308-3541-4fab-bc81-f71556f20b4a";
}  // namespace

// Each copy gets a stand-in of its own; commands on plans the model does not
// hold, and the deletion of the active plan, fail as POWERCFG's do.
TEST(ModelPlans, CommandsChangeThePlansAsPowercfgWould) {
    ModelPlans model({{"Balanced", kBalanced, "Yes"}});
    EXPECT_EQ(model.NextPlanShown(), "{new-plan-1}");
    const CommandResult first = model.Apply(std::string("POWERCFG -DUPLICATESCHEME \"") + kBalanced + "\"");
    ASSERT_TRUE(first.Succeeded());
    const std::string a = model.Plans().back().SchemeGuid;
    EXPECT_EQ(model.Shown(first.output), "Power Scheme GUID: {new-plan-1}  (Balanced)\r\n");
    EXPECT_TRUE(model.Apply("POWERCFG -CHANGENAME \"" + a + "\" \"A \\\"x\\\"\"").Succeeded());
    EXPECT_EQ(model.Plans().back().SchemeName, "A \"x\"");
    ASSERT_TRUE(model.Apply(std::string("POWERCFG -DUPLICATESCHEME \"") + kBalanced + "\"").Succeeded());
    const std::string b = model.Plans().back().SchemeGuid;
    EXPECT_NE(a, b);
    EXPECT_EQ(model.Shown("-SETACTIVE \"" + b + "\" " + a), "-SETACTIVE \"{new-plan-2}\" {new-plan-1}");

    EXPECT_EQ(model.Apply(std::string("POWERCFG -DUPLICATESCHEME \"") + kSaver + "\"").exitCode, 1u);
    EXPECT_TRUE(model.Apply("POWERCFG -SETACTIVE \"" + b + "\"").Succeeded());
    EXPECT_EQ(model.Apply("POWERCFG -DELETE \"" + b + "\"").failure.cause, CommandFailureCause::ExitCode);
    EXPECT_TRUE(model.Apply("POWERCFG -DELETE \"" + a + "\"").Succeeded());
    EXPECT_FALSE(model.Apply("POWERCFG -SETACVALUEINDEX \"" + a + "\" s x 1").Succeeded());
    ASSERT_EQ(model.Plans().size(), 2u);
    EXPECT_EQ(model.Plans()[0].SchemeActive, "No");
}

namespace {
constexpr char kDisplay[] = "7516b95f-f776-4464-8c53-06167f40cc99";
constexpr char kTurnOff[] = "3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e";

std::string Write(const std::string& source, const std::string& plan, const std::string& index) {
    return "POWERCFG -SET" + source + "VALUEINDEX \"" + plan + "\" \"" + kDisplay + "\" \"" + kTurnOff + "\" \"" +
           index + "\"";
}
}  // namespace

// Writes compare numbers with the plan's current indexes, read with one
// output per plan; a copy starts with its base's values, and what a step
// wrote is what the next step finds.
TEST(ModelPlans, WritesHibernationAndActivationAgainstTheCurrentState) {
    std::vector<std::string> asked;
    ModelStart start;
    start.hibernationOn = true;
    start.readValues = [&](const std::string& plan) -> std::optional<std::string> {
        asked.push_back(plan);
        return "Power Scheme GUID: " + plan + "  (x)\r\n  Subgroup GUID: " + kDisplay + "  (d)\r\n    " +
               "Power Setting GUID: " + kTurnOff + "  (t)\r\n    AC: 0x00000258\r\n    DC: 0x0000012c\r\n";
    };
    ModelPlans model({{"Balanced", kBalanced, "Yes"}, {"Saver", kSaver, "No"}}, SingleByteCodePage(), start);
    model.Apply(Write("AC", kBalanced, "0x258"));
    model.Apply(Write("DC", kBalanced, "60"));
    model.Apply("POWERCFG -H \"OFF\"");
    model.Apply(std::string("POWERCFG -SETACTIVE \"") + kBalanced + "\"");
    StepChanges step = model.TakeChanges();
    EXPECT_FALSE(step.planMadeOrDeleted);
    EXPECT_EQ(ChangeLines(step),
              (std::vector<std::string>{"  change turnoffm DC: 300 -> 60", "  change hibernation: on -> off",
                                        "  values: 1 would change, 1 already as the job sets them, "
                                        "0 cannot be read"}));

    model.Apply(std::string("POWERCFG -DUPLICATESCHEME \"") + kBalanced + "\"");
    const std::string copy = model.Plans().back().SchemeGuid;
    model.Apply("POWERCFG -CHANGENAME \"" + copy + "\" \"Office\"");
    model.Apply(Write("DC", copy, "60"));
    model.Apply(Write("AC", kSaver, "600"));
    model.Apply("POWERCFG -SETACTIVE \"" + copy + "\"");
    step = model.TakeChanges();
    EXPECT_TRUE(step.Changes());
    EXPECT_FALSE(step.unknown);
    EXPECT_EQ(step.changes, (std::vector<std::string>{"active plan: \"Balanced\" -> \"Office\""}));
    EXPECT_EQ(step.valuesAlready, 2);
    EXPECT_EQ(asked, (std::vector<std::string>{kBalanced, kSaver}));

    // Nothing known: every value and the switch cannot be read.
    ModelPlans unknown({{"Balanced", kBalanced, "Yes"}});
    unknown.Apply(Write("AC", kBalanced, "1"));
    unknown.Apply("POWERCFG -H \"ON\"");
    step = unknown.TakeChanges();
    EXPECT_TRUE(step.unknown);
    EXPECT_EQ(ChangeLines(step),
              (std::vector<std::string>{"  values: 0 would change, 0 already as the job sets them, 1 cannot be read",
                                        "  cannot read turnoffm AC", "  cannot read hibernation"}));
}
