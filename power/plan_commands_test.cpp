#include "power/plan_commands.h"

#include <gtest/gtest.h>

TEST(PlanCommands, BasePlansAndCommandTexts) {
    EXPECT_STREQ(BasePlanGuid("1"), "381b4222-f694-41f0-9685-ff5bb260df2e");
    EXPECT_STREQ(BasePlanGuid("2"), "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c");
    EXPECT_STREQ(BasePlanGuid("3"), "a1841308-3541-4fab-bc81-f71556f20b4a");
    for (const char* other : {"4", "01", "", " 1", "0", "Balanced"}) EXPECT_EQ(BasePlanGuid(other), nullptr) << other;

    EXPECT_EQ(DuplicateCommand("381b4222-f694-41f0-9685-ff5bb260df2e"),
              "POWERCFG -DUPLICATESCHEME \"381b4222-f694-41f0-9685-ff5bb260df2e\"");
    EXPECT_EQ(RenameCommand("g1", "Office", ""), "POWERCFG -CHANGENAME \"g1\" \"Office\"");
    EXPECT_EQ(RenameCommand("g1", "Office plan", "For the office"),
              "POWERCFG -CHANGENAME \"g1\" \"Office plan\" \"For the office\"");
    EXPECT_EQ(RenameCommand("g1", "A \"quoted\" name\\", ""),
              "POWERCFG -CHANGENAME \"g1\" \"A \\\"quoted\\\" name\\\\\"");
    EXPECT_EQ(HibernateCommand(true), "POWERCFG -H \"ON\"");
    EXPECT_EQ(HibernateCommand(false), "POWERCFG -H \"OFF\"");
    EXPECT_EQ(ActivateCommand("g1"), "POWERCFG -SETACTIVE \"g1\"");
}

TEST(PlanCommands, RenameThatWouldNotFitItsBufferIsRefusedWhole) {
    const std::string guid = "11111111-2222-3333-4444-555555555555";
    // "POWERCFG -CHANGENAME " (21) + quoted GUID (38) + " \"Office\"" (9) + " " + quotes (3)
    const std::size_t fixed = 21 + 38 + 9 + 3;
    const std::string fits(kCommandCapacity - 1 - fixed, 'd');
    const auto longest = RenameCommand(guid, "Office", fits);
    ASSERT_TRUE(longest.has_value());
    EXPECT_EQ(longest->size(), kCommandCapacity - 1);
    EXPECT_FALSE(RenameCommand(guid, "Office", fits + "d").has_value());
    EXPECT_FALSE(RenameCommand(guid, "Office", std::string(2047, 'x')).has_value());
}
