// A step with a setting value POWERCFG cannot take changes nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/scenario.h"
#include "tests/e2e/valid_settings.h"

// A job code that matches no code, and a direct value with a sign: refused
// after the listing, before hibernation, any setting or the base plan's copy.
TEST(SettingValuesE2E, AValueThatCannotBeWrittenChangesNothing) {
    const std::vector<std::string> listingOnly = {"powercfg.exe /l"};
    Scenario modify;
    modify.WriteJob(JobXml({StepXml("Modify Scheme", "Balanced",
                                    ValidSettings({{"lowbatact", "1#@#9"}, {"enahiber", "1"}, {"schactive", "1"}}))}));
    EXPECT_EQ(modify.Run(), 0u);
    EXPECT_EQ(modify.JournalCommands(), listingOnly);
    const std::vector<std::string> lines = LogLines(modify.Log());
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), "ModifyPowerSchemeVista|ERROR|Invalid Setting Value|lowbatact DC|9"),
        lines.end());
    EXPECT_EQ(PostedStatus(modify).desc.rfind("Failed to set Low battery action on DC Power : Value \"9\" ", 0), 0u);

    Scenario create;
    create.WriteJob(
        JobXml({StepXml("Create Scheme", "Office", ValidSettings({{"schbasedon", "1"}, {"turnoffm", "+600#@#300"}}))}));
    EXPECT_EQ(create.Run(), 0u);
    EXPECT_EQ(create.JournalCommands(), listingOnly);
    EXPECT_EQ(PostedStatus(create).status, "Fail");
}

// Code page 1252 has no infinity sign: its best fit "8" would be a valid
// timeout. Refused before any change, the value shown without a look-alike.
TEST(SettingValuesE2E, AValueWithoutAnExactAnsiFormChangesNothing) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs code page 1252";
    Scenario s;
    s.WriteJob(JobXml({StepXml("Modify Scheme", "Balanced", ValidSettings({{"turnoffm", "600#@#\xE2\x88\x9E"}}))}));
    EXPECT_EQ(s.Run(), 0u);
    EXPECT_EQ(s.JournalCommands(), std::vector<std::string>{"powercfg.exe /l"});
    EXPECT_TRUE(Contains(LogLines(s.Log()), "ModifyPowerSchemeVista|ERROR|Invalid Setting Value|turnoffm DC|?"));
    EXPECT_EQ(PostedStatus(s).desc,
              "Failed to set value of Turn Off Monitor on DC Power : Value \"?\" holds characters that the system's "
              "code page cannot hold exactly hence not processed");
}
