#include "win/text_convert.h"

#include <gtest/gtest.h>

TEST(TextConvert, ExactConversionsRefuseLookAlikesAndReplacements) {
    if (GetOEMCP() != 437 || GetACP() != 1252) GTEST_SKIP() << "needs the OEM 437 / ANSI 1252 pair";
    EXPECT_EQ(WideToAnsiExact(L"\u00C9conomie", -1), std::optional<std::string>("\xC9"
                                                                                "conomie"));
    EXPECT_EQ(WideToAnsiExact(L"", 0), std::optional<std::string>(""));
    // Full-width letters (best fit "Office"), Cyrillic ("?") and an emoji.
    for (const wchar_t* text : {L"\uFF2F\uFF46\uFF46\uFF49\uFF43\uFF45", L"\u041F\u043B\u0430\u043D", L"\U0001F50B"})
        EXPECT_FALSE(WideToAnsiExact(text, -1)) << WideToAnsi(text);

    // "É" and "½" go to the console code page and back, "€" (0x80 in 1252)
    // does not; a shading character of 437 has no 1252 form.
    EXPECT_TRUE(
        SurvivesConsoleCodePage("\xC9"
                                "conomie \xBD"));
    EXPECT_TRUE(SurvivesConsoleCodePage(""));
    EXPECT_FALSE(SurvivesConsoleCodePage("Plan \x80"));
    EXPECT_EQ(OemToAnsiExact("\x90"
                             "conomie"),
              std::optional<std::string>("\xC9"
                                         "conomie"));
    EXPECT_FALSE(OemToAnsiExact("Shade \xB0"));
}
