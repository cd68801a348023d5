#include "power/plan_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr char kBalanced[] = "381b4222-f694-41f0-9685-ff5bb260df2e";
constexpr char kHigh[] = "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c";
constexpr char kDisk[] = "0012ee47-9041-4b5d-9b77-535fba8b1442";
constexpr char kButtons[] = "4f971e89-eebd-4455-a8de-9e59040e7347";
constexpr char kDisplay[] = "7516b95f-f776-4464-8c53-06167f40cc99";

// A range setting's four lines at 6 blanks, as both outputs print them.
std::string RangeLines(const std::string& colon, const std::string& eol) {
    return "      Minimum Possible Setting" + colon + "0x00000000" + eol + "      Maximum Possible Setting" + colon +
           "0xffffffff" + eol + "      Possible Settings increment" + colon + "0x00000001" + eol +
           "      Possible Settings units" + colon + "Seconds" + eol;
}
}  // namespace

TEST(PlanValues, ReadsEachSettingsOwnCurrentIndexesByStructure) {
    const std::string english =
        "Power Scheme GUID: 381b4222-f694-41f0-9685-ff5bb260df2e  (Balanced)\r\n"
        "  GUID Alias: SCHEME_BALANCED\r\n"
        "  Subgroup GUID: 0012ee47-9041-4b5d-9b77-535fba8b1442  (Hard disk)\r\n"
        "    GUID Alias: SUB_DISK\r\n"
        "    Power Setting GUID: 6738e2c4-e8a5-4a42-b16a-e040e769756e  (Turn off hard disk after)\r\n"
        "      GUID Alias: DISKIDLE\r\n" +
        RangeLines(": ", "\r\n") +
        "    Current AC Power Setting Index: 0x000004b0\r\n"
        "    Current DC Power Setting Index: 0x00000258\r\n\r\n"
        "  Subgroup GUID: 4f971e89-eebd-4455-a8de-9e59040e7347  (Power buttons and lid)\r\n"
        "    Power Setting GUID: 5ca83367-6e45-459f-a27b-476b1d01c936  (Lid close action)\r\n"
        "      Possible Setting Index: 000\r\n"
        "      Possible Setting Friendly Name: Do nothing\r\n"
        "    Current AC Power Setting Index: 0x00000001\r\n"
        "    Current DC Power Setting Index: 0x00000001\r\n"
        // A damaged setting line: its indexes belong to no setting read.
        "    Power Setting GUID: 96996bc0-ad50-47ec-923b  (Sleep button action)\r\n"
        "    Current AC Power Setting Index: 0x00000002\r\n"
        "    Current DC Power Setting Index: 0x00000002\r\n";
    // Another machine's plan appended, in French (0xFF before the colons in
    // code page 850), with CR line ends and an upper-case GUID.
    const auto fr = [](const std::string& label, const std::string& value) { return label + "\xff: " + value + "\r"; };
    const std::string french =
        fr("GUID du mode de gestion de l'alimentation", "8C5E7FDA-E8BF-4A96-9A85-A6E23A8C635C  (Performances)") +
        fr("  GUID du sous-groupe", "7516b95f-f776-4464-8c53-06167f40cc99  (Affichage)") +
        fr("    GUID du param\x8atre", "3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e  (Eteindre)") +
        RangeLines("\xff: ", "\r") + fr("    Index secteur actuel", "0x00000384") +
        fr("    GUID du param\x8atre", "17aaa29b-8b43-4b94-aafe-35f64daaf1ee  (Luminosit\x82)") +
        RangeLines("\xff: ", "\r") + fr("    Index secteur actuel", "0x00000064") +
        fr("    Index batterie actuel", "0x00000032");

    const PlanValues values = ParsePlanValues(english + french);
    EXPECT_EQ(values.plans.size(), 2u);
    EXPECT_EQ(values.Find(kBalanced, kDisk, "6738E2C4-E8A5-4A42-B16A-E040E769756E"), (SettingIndexes{1200, 600}));
    EXPECT_EQ(values.Find(kBalanced, kButtons, "5ca83367-6e45-459f-a27b-476b1d01c936"), (SettingIndexes{1, 1}));
    EXPECT_EQ(values.plans.at(kBalanced).size(), 2u);
    // A range setting without its DC line cannot be read: the range's lines
    // never stand in for it.
    EXPECT_TRUE(values.HasPlan(kHigh));
    EXPECT_EQ(values.Find(kHigh, kDisplay, "3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e"), std::nullopt);
    EXPECT_EQ(values.Find(kHigh, kDisplay, "17aaa29b-8b43-4b94-aafe-35f64daaf1ee"), (SettingIndexes{100, 50}));
    EXPECT_EQ(values.plans.at(kHigh).size(), 1u);
    EXPECT_FALSE(values.HasPlan("a1841308-3541-4fab-bc81-f71556f20b4a"));
}
