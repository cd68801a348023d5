#include "power/scheme_list_parse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
constexpr char kBalanced[] = "381b4222-f694-41f0-9685-ff5bb260df2e";
constexpr char kHigh[] = "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c";
constexpr char kSaver[] = "a1841308-3541-4fab-bc81-f71556f20b4a";

std::string PlanLine(const std::string& label, const std::string& guid, const std::string& name, bool active) {
    return label + " " + guid + "  (" + name + ")" + (active ? " *" : "") + "\r\n";
}

void ExpectPlan(const SchemeEntry& entry, const std::string& name, const std::string& guid, const char* active) {
    EXPECT_EQ(name, entry.SchemeName);
    EXPECT_EQ(guid, entry.SchemeGuid);
    EXPECT_EQ(active, entry.SchemeActive);
}
}  // namespace

TEST(PlanListing, ReadsEnglishListing) {
    const std::string text =
        std::string("\r\nExisting Power Schemes (* Active)\r\n-----------------------------------\r\n") +
        PlanLine("Power Scheme GUID:", kBalanced, "Balanced", true) +
        PlanLine("Power Scheme GUID:", kHigh, "High performance", false) +
        PlanLine("Power Scheme GUID:", kSaver, "Team (night) plan", false) + "\r\n";
    const std::vector<SchemeEntry> plans = ParsePlanListing(text);
    ASSERT_EQ(3u, plans.size());
    ExpectPlan(plans[0], "Balanced", kBalanced, "Yes");
    ExpectPlan(plans[1], "High performance", kHigh, "No");
    ExpectPlan(plans[2], "Team (night) plan", kSaver, "No");
}

TEST(PlanListing, ReadsLocalizedLabelsAndOddSpacing) {
    const std::string text = PlanLine("GUID des Energieschemas:", kBalanced, "Ausbalanciert", false) +
                             PlanLine("GUID du mode de gestion de l'alimentation :", kHigh,
                                      "Performances \xE9lev\xE9"
                                      "es",
                                      true) +
                             // Tabs, single blanks, no blank before the marker, LF only.
                             "Schema: " + kSaver + "\t(Sparen:  x ) \t*\n" +
                             // A label with a colon of its own.
                             "Esquema: de energia: " + kBalanced + " (Equilibrado)\n";
    const std::vector<SchemeEntry> plans = ParsePlanListing(text);
    ASSERT_EQ(4u, plans.size());
    ExpectPlan(plans[0], "Ausbalanciert", kBalanced, "No");
    ExpectPlan(plans[1],
               "Performances \xE9lev\xE9"
               "es",
               kHigh, "Yes");
    ExpectPlan(plans[2], "Sparen:  x", kSaver, "Yes");
    ExpectPlan(plans[3], "Equilibrado", kBalanced, "No");
}

TEST(PlanListing, IgnoresLinesThatAreNotPlans) {
    const std::string guid = kBalanced;
    for (const std::string& line : std::vector<std::string>{
             std::string("Existing Power Schemes (* Active)"),
             std::string("Power Scheme GUID: (Balanced) *"),
             "Power Scheme GUID: " + guid + "  Balanced",
             "Power Scheme GUID: " + guid + "  (Balanced",
             "Power Scheme GUID: " + guid + "  (Balanced) extra",
             "Power Scheme GUID: " + guid.substr(0, 35) + "  (Short)",
             "Power Scheme GUID: 381b4222-f694-41f0-9685-ff5bb260df2g  (Not hex)",
             "Power Scheme GUID: 381b4222_f694-41f0-9685-ff5bb260df2e  (No dash)",
             guid + "  (No colon)",
             std::string(""),
         }) {
        SchemeEntry entry;
        EXPECT_FALSE(ParsePlanLine(line, entry)) << line;
    }
}

TEST(PlanListing, KeepsEveryPlanInOrderWithDuplicatesAndNoFinalLineBreak) {
    std::string text;
    std::vector<std::string> guids;
    for (int i = 0; i < 25; ++i) {
        char guid[40];
        std::snprintf(guid, sizeof guid, "%08x-0000-4000-8000-%012d", i, i);
        guids.push_back(guid);
        text += PlanLine("Power Scheme GUID:", guid, i % 2 ? "Odd" : "Even plan", i == 24);
    }
    text.resize(text.size() - 2);  // the last line ends without a line break
    const std::vector<SchemeEntry> plans = ParsePlanListing(text);
    ASSERT_EQ(25u, plans.size());
    for (int i = 0; i < 25; ++i) ExpectPlan(plans[i], i % 2 ? "Odd" : "Even plan", guids[i], i == 24 ? "Yes" : "No");
    EXPECT_TRUE(ParsePlanListing("").empty());

    // Names may repeat, GUIDs may not (letter case aside).
    EXPECT_EQ("", GuidListedTwice(plans));
    text += "\r\n" + PlanLine("Power Scheme GUID:", "0000000C-0000-4000-8000-000000000012", "Odd", false);
    EXPECT_EQ("0000000C-0000-4000-8000-000000000012", GuidListedTwice(ParsePlanListing(text)));
}

TEST(PlanListing, FirstPlanGuidReadsDuplicationOutput) {
    // A duplication reports the new plan's GUID and the base plan's name.
    EXPECT_EQ(kHigh, FirstPlanGuid(std::string("Power Scheme GUID: ") + kHigh + "  (Balanced)\r\n"));
    EXPECT_EQ(kHigh, FirstPlanGuid(std::string("Power Scheme GUID: ") + kHigh + "  (Balanced)"));
    EXPECT_EQ(kSaver, FirstPlanGuid(std::string("\r\nIntro\r\n") + PlanLine("Energieschema-GUID:", kSaver, "A", false) +
                                    PlanLine("Power Scheme GUID:", kBalanced, "B", false)));
    EXPECT_EQ("", FirstPlanGuid("Invalid Parameters -- try \"/?\" for help\r\n"));
    EXPECT_EQ("", FirstPlanGuid(""));
}

TEST(PlanListing, LinesEndAtCrOrLfOrCrLf) {
    for (const std::string end : {"\r", "\n", "\r\n", "\r\r\n"}) {
        const std::string text = "Existing Power Schemes" + end + "Power Scheme GUID: " + kBalanced + "  (Balanced) *" +
                                 end + "Power Scheme GUID: " + kHigh + "  (High)" + end;
        const std::vector<SchemeEntry> plans = ParsePlanListing(text);
        ASSERT_EQ(2u, plans.size()) << end.size();
        ExpectPlan(plans[0], "Balanced", kBalanced, "Yes");
        ExpectPlan(plans[1], "High", kHigh, "No");
    }
}
