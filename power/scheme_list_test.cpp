#include "power/scheme_list.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/fixed_text.h"
#include "power/this_machine.h"
#include "report/log_writer.h"
#include "tests/win/temp_folder.h"
#include "win/file_helpers.h"

namespace {
constexpr char kGuid[] = "381b4222-f694-41f0-9685-ff5bb260df2e";
constexpr char kOther[] = "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c";
}  // namespace

TEST(SchemeListFiles, ParseAndReadGuidFromCapturedFiles) {
    TempFolder temp;
    const std::string listing =
        temp.WriteFile("list.txt", std::string("Power Scheme GUID: ") + kGuid +
                                       "  (Balanced) *\r\nPower Scheme GUID: " + kOther + "  (Team (night) plan)");
    const std::vector<SchemeEntry> plans = SchemesFromListing(ReadCapturedOutput(listing));
    ASSERT_EQ(2u, plans.size());
    EXPECT_EQ("Balanced", plans[0].SchemeName);
    EXPECT_EQ("Yes", plans[0].SchemeActive);
    EXPECT_EQ("Team (night) plan", plans[1].SchemeName);
    EXPECT_EQ(kOther, plans[1].SchemeGuid);

    // Missing and empty files give nothing.
    EXPECT_TRUE(SchemesFromListing(ReadCapturedOutput(temp.path() + "\\missing.txt")).empty());
}

TEST(SchemeListFiles, NamesArriveInTheAnsiCodePage) {
    if (GetOEMCP() != 437 || GetACP() != 1252) GTEST_SKIP() << "needs the OEM 437 / ANSI 1252 pair";
    TempFolder temp;
    // "Économie" as the console prints it (code page 437). A name with a
    // character that code page 1252 lacks ("░") keeps its GUID but no name,
    // so that no request matches a look-alike of it.
    const std::vector<SchemeEntry> plans = SchemesFromListing(
        ReadCapturedOutput(temp.WriteFile("list.txt", std::string("Power Scheme GUID: ") + kGuid +
                                                          "  (\x90"
                                                          "conomie)\r\n" +
                                                          "Power Scheme GUID: " + kOther + "  (Shade \xB0)\r\n")));
    ASSERT_EQ(2u, plans.size());
    EXPECT_EQ(
        "\xC9"
        "conomie",
        plans[0].SchemeName);
    EXPECT_EQ("", plans[1].SchemeName);
    EXPECT_TRUE(SchemeListed(plans, "8C5E7FDA-E8BF-4A96-9A85-A6E23A8C635C"));
    EXPECT_FALSE(SchemeListed(plans, "a1841308-3541-4fab-bc81-f71556f20b4a"));
}

TEST(SchemeListFiles, ListingNeverReadsAnEarlierFile) {
    TempFolder temp;
    SetLogDestination({temp.path(), "", false});
    const std::string path = ListingFilePath();
    EXPECT_EQ(ProgramFolder() + "\\Schemes.txt", path);

    // Whether or not a POWERCFG is installed, the old file's plan is gone.
    const std::string stale = std::string("Power Scheme GUID: ") + kGuid + "  (Stale plan from an earlier run)\r\n";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(stale.data(), 1, stale.size(), f);
        std::fclose(f);
    }
    for (const SchemeEntry& entry : ListPlans(path).plans)
        EXPECT_NE("Stale plan from an earlier run", entry.SchemeName);
    DeleteFileA(path.c_str());
}

// The same characters apart from letter case, by Windows' uppercase table.
TEST(SchemeNames, AreComparedOrdinallyIgnoringCase) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the ANSI code page 1252";
    EXPECT_TRUE(SameSchemeName("\xC9t\xE9", "\xE9T\xC9"));  // "Été"
    EXPECT_TRUE(SameSchemeName("\xFF", "\x9F"));            // "ÿ" and "Ÿ" (U+0178)
    EXPECT_FALSE(SameSchemeName("Gro\xDF", "GROSS"));       // "Groß"
    EXPECT_FALSE(SameSchemeName("\xC6ther", "AEther"));     // "Æther"
    EXPECT_FALSE(SameSchemeName("Off\xADice", "Office"));   // a soft hyphen
    EXPECT_FALSE(SameSchemeName("", "Office"));
}

// A listing of another machine: its console code page or UTF-8, names held in its ANSI code page.
TEST(SchemeListFiles, NamesOfAListingInTheCodePagesGiven) {
    const std::string line = std::string("Power Scheme GUID: ") + kGuid + "  (";
    const CodePages russian{1251, 866};
    const std::string office1251 = "\xCE\xF4\xE8\xF1";  // "Офис"
    std::vector<SchemeEntry> plans =
        SchemesFromListing(line + "\x8E\xE4\xA8\xE1)\r\n", TextBytes::ConsoleCodePage, russian);
    ASSERT_EQ(1u, plans.size());
    EXPECT_EQ(office1251, plans[0].SchemeName);
    plans = SchemesFromListing(line + "\xD0\x9E\xD1\x84\xD0\xB8\xD1\x81) *", TextBytes::Utf8, russian);
    ASSERT_EQ(1u, plans.size());
    EXPECT_EQ(office1251, plans[0].SchemeName);
    plans = SchemesFromListing(line + "B\xC3\xBCro)", TextBytes::Utf8, CodePages{1252, 850});
    ASSERT_EQ(1u, plans.size());
    EXPECT_EQ("B\xFCro", plans[0].SchemeName);
    plans = SchemesFromListing(line + "B\xC3\xBCro)", TextBytes::Utf8, russian);  // 1251 has no "ü"
    ASSERT_EQ(1u, plans.size());
    EXPECT_EQ("", plans[0].SchemeName);

    // "Ё" and "ё" in code page 1251; a diaeresis and a cedilla in 1252.
    EXPECT_TRUE(SameSchemeName("\xA8", "\xB8", 1251));
    EXPECT_FALSE(SameSchemeName("\xA8", "\xB8", 1252));
}
