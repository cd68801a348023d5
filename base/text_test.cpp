#include "base/text.h"

#include <gtest/gtest.h>

TEST(Text, CaseInsensitiveEqualityAndSearchAreAsciiOnly) {
    EXPECT_TRUE(EqualsNoCaseAscii("Delete Scheme", "DELETE scheme"));
    EXPECT_FALSE(EqualsNoCaseAscii("1", "01"));
    EXPECT_FALSE(EqualsNoCaseAscii("1", "1 "));
    EXPECT_TRUE(ContainsNoCaseAscii("xTEMPLATEx", "Template"));
    EXPECT_FALSE(ContainsNoCaseAscii("Temp", "Template"));
    EXPECT_TRUE(ContainsNoCaseAscii("abc", ""));
}

TEST(Text, SplitOnAnyDropsEmptyPieces) {
    const auto pieces = SplitOnAny("@#a@@b#@#c#", "@#");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], "a");
    EXPECT_EQ(pieces[2], "c");
    EXPECT_TRUE(SplitOnAny("@#@", "@#").empty());
    EXPECT_EQ(TrimWhite(" \t x y\r\n"), "x y");
}
