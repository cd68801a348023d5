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
