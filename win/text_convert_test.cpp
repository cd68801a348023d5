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

// Another machine's code pages, whatever this one's are.
TEST(TextConvert, ExactConversionsInTheCodePagesGiven) {
    const CodePages russian{1251, 866};
    const std::string office1251 = "\xCE\xF4\xE8\xF1";  // "Офис"
    EXPECT_EQ(OemToAnsiExact("\x8E\xE4\xA8\xE1", russian), office1251);
    EXPECT_EQ(WideToAnsiExact(L"\u041E\u0444\u0438\u0441", -1, 1251), office1251);
    EXPECT_EQ(AnsiToWideExact(office1251, 1251), std::wstring(L"\u041E\u0444\u0438\u0441"));
    EXPECT_TRUE(SurvivesConsoleCodePage(office1251, russian));
    EXPECT_FALSE(SurvivesConsoleCodePage("\x80", russian));  // "Ђ" is not in code page 866
    // A Russian listing read with a Western ANSI code page has no name to give.
    EXPECT_FALSE(OemToAnsiExact("\x8E\xE4\xA8\xE1", CodePages{1252, 866}));

    EXPECT_EQ(Utf8ToAnsiExact("B\xC3\xBCro", 1252), std::optional<std::string>("B\xFCro"));
    EXPECT_FALSE(Utf8ToAnsiExact("\xD0\x9E\xD1\x84\xD0\xB8\xD1\x81", 1252));  // Cyrillic in a Western code page
    EXPECT_FALSE(Utf8ToAnsiExact("B\xFCro", 1252));                           // not UTF-8

    EXPECT_TRUE(CodePageLeadBytes(932).IsLead('\x81'));
    EXPECT_FALSE(CodePageLeadBytes(1251).IsLead('\x81'));
}
