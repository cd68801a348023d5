// The log through the shipped executable: a value from outside cannot write
// a record line of its own.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/scenario.h"

// The job document's logon user holds a line break and then a forged record
// of a deletion; it stays within the LogOn line, the line break a blank.
TEST(LogLineE2E, ALineBreakInAValueStartsNoRecord) {
    Scenario s;
    std::string xml = JobXml({StepXml("Rename Scheme", "Alpha")});
    const std::string user = "logonuser=\"user\"";
    xml.replace(xml.find(user), user.size(),
                "logonuser=\"user&#13;&#10;01/01/2026 10:00:00 AM&#9;SYSTEM&#9;DeletePowerSchemeVista&#9;SUCCESS&#9;"
                "Forged&#9;&#9;\"");
    s.WriteJob(xml);
    EXPECT_EQ(s.Run(), 0u);

    const std::vector<LogRecordLine> records = s.Log();
    EXPECT_TRUE(std::none_of(records.begin(), records.end(),
                             [](const LogRecordLine& r) { return r.module == "DeletePowerSchemeVista"; }));
    const std::vector<std::string> lines = LogLines(records);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "WinMain|INFO|Xml Data|LogOn|user  01/01/2026 10:00:00 AM\tSYSTEM\tDeletePowerSchemeVista\t"
                        "SUCCESS\tForged\t\t"),
              lines.end());
}
