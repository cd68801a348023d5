#include "power/plan_text_rules.h"

#include <gtest/gtest.h>

#include <string>

TEST(PlanTextRules, ControlCharactersAreTheC0BytesAndDelete) {
    EXPECT_FALSE(HoldsControlCharacter(""));
    EXPECT_FALSE(HoldsControlCharacter(" Office (night) ~"));
    // Bytes of the upper half belong to the code page's own letters.
    EXPECT_FALSE(HoldsControlCharacter("\x80\xA0\xC9\xFF"));
    for (const char* text : {"a\tb", "line\n", "\rx", "\x01", "x\x1F", "del\x7F"})
        EXPECT_TRUE(HoldsControlCharacter(text)) << text;
    EXPECT_TRUE(HoldsControlCharacter(std::string("a\0b", 3)));
}

TEST(PlanTextRules, NamesAndDescriptionsAreRefusedForTheFirstRuleTheyBreak) {
    EXPECT_FALSE(CheckPlanText(PlanText::Name, "Office", true));
    EXPECT_FALSE(CheckPlanText(PlanText::Description, "", true));
    EXPECT_FALSE(CheckPlanText(PlanText::Description, "Office hours", true));

    auto refusal = CheckPlanText(PlanText::Name, "", true);
    ASSERT_TRUE(refusal);
    EXPECT_STREQ(refusal->status, "Scheme Name is empty hence not processed");
    EXPECT_STREQ(refusal->logValue3, "Scheme Name Empty");

    // A control character is named even when the text is inexact too.
    refusal = CheckPlanText(PlanText::Name, "Night\nShift", false);
    ASSERT_TRUE(refusal);
    EXPECT_STREQ(refusal->status, "Scheme Name holds control characters hence not processed");
    EXPECT_STREQ(refusal->logValue1, "Scheme Name");
    EXPECT_STREQ(refusal->logValue3, "Scheme Name Has Control Characters");

    refusal = CheckPlanText(PlanText::Name, "????", false);
    ASSERT_TRUE(refusal);
    EXPECT_STREQ(refusal->status,
                 "Scheme Name holds characters that the system's code pages cannot hold exactly hence not processed");
    EXPECT_STREQ(refusal->logValue3, "Scheme Name Not In Code Page");

    // "?" anywhere and a leading "@" are refused in names only.
    EXPECT_TRUE(CheckPlanText(PlanText::Name, "Plan ?", true));
    refusal = CheckPlanText(PlanText::Name, "@powrprof.dll,-12", true);
    ASSERT_TRUE(refusal);
    EXPECT_STREQ(refusal->status, "Scheme Name begins with @ hence not processed");
    EXPECT_STREQ(refusal->logValue3, "Scheme Name Begins With @");
    EXPECT_FALSE(CheckPlanText(PlanText::Name, "Team @ \x8B\x40", true));  // "@" also as a trail byte
    for (const char* name : {"Office ", " Office", " "}) {
        refusal = CheckPlanText(PlanText::Name, name, true);
        ASSERT_TRUE(refusal) << name;
        EXPECT_STREQ(refusal->status, "Scheme Name begins or ends with white space hence not processed");
        EXPECT_STREQ(refusal->logValue3, "Scheme Name Begins Or Ends With White Space");
    }
    EXPECT_FALSE(CheckPlanText(PlanText::Name, "Office hours", true));
    EXPECT_FALSE(CheckPlanText(PlanText::Description, " Office ", true));
    EXPECT_FALSE(CheckPlanText(PlanText::Description, "@night?", true));
    refusal = CheckPlanText(PlanText::Description, "a\tb", true);
    ASSERT_TRUE(refusal);
    EXPECT_STREQ(refusal->status, "Scheme Description holds control characters hence not processed");
    EXPECT_STREQ(refusal->logValue1, "Scheme Description");
    EXPECT_STREQ(refusal->logValue3, "Scheme Description Has Control Characters");

    refusal = CheckPlanText(PlanText::Description, "Office", false);
    ASSERT_TRUE(refusal);
    EXPECT_STREQ(refusal->status,
                 "Scheme Description holds characters that the system's code page cannot hold exactly hence not "
                 "processed");
    EXPECT_STREQ(refusal->logValue3, "Scheme Description Not In Code Page");
}
