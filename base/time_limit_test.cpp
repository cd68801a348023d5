#include "base/time_limit.h"

#include <gtest/gtest.h>

TEST(TimeLimit, ASettingOnlyShortensTheLimit) {
    EXPECT_EQ(LoweredLimitMs("2000", 300000), 2000u);
    // Never below the floor that leaves a run the time to keep its outcome.
    for (const char* tiny : {"0", "1", "999", "1000"}) EXPECT_EQ(LoweredLimitMs(tiny, 300000), 1000u) << tiny;
    EXPECT_EQ(LoweredLimitMs("300000", 300000), 300000u);
    EXPECT_EQ(LoweredLimitMs("300001", 300000), 300000u);
    EXPECT_EQ(LoweredLimitMs("99999999999999999999999", 300000), 300000u);
    for (const char* refused : {"", "-1", "+5", " 5", "5 ", "2e3", "0x10", "5s"})
        EXPECT_EQ(LoweredLimitMs(refused, 300000), 300000u) << refused;
}

TEST(TimeLimit, DurationsReadAsSecondsWhenWhole) {
    EXPECT_EQ(DurationText(600000), "600 seconds");
    EXPECT_EQ(DurationText(2000), "2 seconds");
    EXPECT_EQ(DurationText(1500), "1500 ms");
    EXPECT_EQ(DurationText(0), "0 seconds");
}
