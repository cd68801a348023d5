// The log through the shipped executable: a value from outside holding line
// breaks and tabs (a forged record, say) stays within its own column, and
// runs that write at the same moment lose no line.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/e2e/scenario.h"

TEST(LogLineE2E, ALineBreakOrATabInAValueStartsNoRecordAndAddsNoColumn) {
    Scenario s;
    std::string xml = JobXml({StepXml("Rename Scheme", "Alpha")});
    xml.replace(xml.find("user\""), 4,
                "user&#13;&#10;01/01/2026 10:00:00 AM&#9;SYSTEM&#9;DeletePowerSchemeVista&#9;SUCCESS&#9;&#9;&#9;");
    s.WriteJob(xml);
    EXPECT_EQ(s.Run(), 0u);
    const std::vector<std::string> lines = LogLines(s.Log());
    const std::string logOn =
        "WinMain|INFO|Xml Data|LogOn|user  01/01/2026 10:00:00 AM SYSTEM DeletePowerSchemeVista SUCCESS   ";
    EXPECT_NE(std::find(lines.begin(), lines.end(), logOn), lines.end());
}

// Six runs at once, each with a tab in a command-line field, append to the
// same day's log: every line of every run arrives whole, and no Input line
// gains a column.
TEST(LogLineE2E, RunsWritingAtOnceLoseNoLine) {
    Scenario s;
    s.WriteJob(
        "<job><scriptinstance><scriptid>93</scriptid>"
        "<agenttemplatename>Power Management for Vista</agenttemplatename></scriptinstance></job>");
    s.SetField(4, "us\ter");
    std::vector<HANDLE> runs;
    for (int i = 0; i < 6; ++i) runs.push_back(s.Start());
    for (HANDLE run : runs) EXPECT_EQ(Scenario::Wait(run), 0u);

    // The runs log the same lines but for the name of each saved record.
    std::map<std::string, int> counts;
    int inputs = 0;
    for (const LogRecordLine& r : s.Log()) {
        if (r.val1 == "Created File ") continue;
        ++counts[LogLineText(r)];
        if (r.val1 == "Input") {
            ++inputs;
            EXPECT_NE(r.val3.find("@#@us er@#@"), std::string::npos) << r.val3;
        }
    }
    EXPECT_EQ(counts["WinMain|INFO|Application|Start|===================================="], 6);
    EXPECT_EQ(inputs, 12);  // the driver's and the parser's
    for (const auto& [line, count] : counts) EXPECT_EQ(count % 6, 0) << count << " times: " << line;
    EXPECT_EQ(s.FilesIn("DorvikPostLogs").size(), 6u);
}
