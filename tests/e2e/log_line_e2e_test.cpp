// The log through the shipped executable: a logon user holding a line break
// and then a forged record of a deletion stays within its LogOn line.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/scenario.h"

TEST(LogLineE2E, ALineBreakInAValueStartsNoRecord) {
    Scenario s;
    std::string xml = JobXml({StepXml("Rename Scheme", "Alpha")});
    xml.replace(xml.find("user\""), 4,
                "user&#13;&#10;01/01/2026 10:00:00 AM&#9;SYSTEM&#9;DeletePowerSchemeVista&#9;SUCCESS&#9;&#9;&#9;");
    s.WriteJob(xml);
    EXPECT_EQ(s.Run(), 0u);
    const std::vector<std::string> lines = LogLines(s.Log());
    const std::string logOn =
        "WinMain|INFO|Xml Data|LogOn|user  01/01/2026 10:00:00 AM\tSYSTEM\tDeletePowerSchemeVista\tSUCCESS\t\t\t";
    EXPECT_NE(std::find(lines.begin(), lines.end(), logOn), lines.end());
}
