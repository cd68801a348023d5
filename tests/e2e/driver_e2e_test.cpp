// The run's order and its early stops, seen through the shipped executable.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/scenario.h"
#include "tests/win/day_log.h"
#include "tests/win/temp_folder.h"

namespace {
std::string DriveRoot(const Scenario& s) { return s.InstallPath().substr(0, 2); }
}  // namespace

TEST(DriverE2E, EachMissingRequiredAgentValueStopsTheRunWithItsLine) {
    for (const char* name : {"REGID", "InstallationPath", "MEMBERID", "SITEID"}) {
        SCOPED_TRACE(name);
        Scenario s;
        s.RemoveAgentValue(name);
        // Before InstallationPath is known, the log lands under the drive's root.
        const bool rootLog = std::string(name) == "REGID" || std::string(name) == "InstallationPath";
        const std::string root = rootLog ? DriveRoot(s) : s.InstallPath();
        RemoveFolderTree(LogFolderUnder(root));
        EXPECT_EQ(s.Run(), 0u);
        const std::vector<std::string> lines = LogLines(Scenario::LogIn(root));
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().rfind(std::string("WinMain|ERROR|") + name + "|Not Found|RegQueryValueEx [2]::", 0), 0u)
            << lines.back();
        EXPECT_EQ(Contains(lines, "WinMain|INFO|Application|Start|===================================="), !rootLog);
        if (rootLog) RemoveFolderTree(LogFolderUnder(root));
    }
}

TEST(DriverE2E, RejectedCommandLineEndsAfterTheFormatLine) {
    Scenario s;
    s.RemoveAgentValue("TYPE");  // optional: logged, and the run goes on
    s.SetRawArgument("OD@#@93@#@C:\\job.xml@#@J#1@#@u@#@t@#@i@#@1@#@s");
    EXPECT_EQ(s.Run(), 0u);
    const std::vector<std::string> lines = LogLines(s.Log());
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "WinMain|INFO|Application|Start|====================================");
    EXPECT_EQ(lines[1].rfind("WinMain|ERROR|TYPE|Not Found|RegQueryValueEx [2]::", 0), 0u) << lines[1];
    EXPECT_NE(lines[lines.size() - 4].find("WinMain|INFO|Input||\""), std::string::npos);
    EXPECT_NE(lines[lines.size() - 3].find("ParseInput|INFO|Input||\""), std::string::npos);
    EXPECT_EQ(lines[lines.size() - 2],
              "ParseInput|ERROR|Invalid Commandline Parameter received.|Format : "
              "OD@#@ScriptId@#@XmlFilePath@#@JobId@#@UserLoggedIn@#@ExecutionTime@#@InstanceID@#@IsRealTimeS@#@"
              "ScriptJobId|");
    EXPECT_EQ(lines.back(), "WinMain|INFO|Application|End|ParseInput");

    // A line beyond 1023 characters is rejected the same way, never cut.
    Scenario tooLong;
    tooLong.SetField(4, std::string(1000, 'u'));
    EXPECT_EQ(tooLong.Run(), 0u);
    EXPECT_EQ(LogLines(tooLong.Log()).back(), "WinMain|INFO|Application|End|ParseInput");
}

TEST(DriverE2E, DocumentProblemsEndTheRunWithoutPost) {
    Scenario missing;  // no job document written
    EXPECT_EQ(missing.Run(), 0u);
    std::vector<std::string> lines = LogLines(missing.Log());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "WinMain|SUCCESS|Xml||Initialize");
    EXPECT_EQ(lines[lines.size() - 2], "WinMain|FAILED|Input xml not found||" + missing.JobPath());
    EXPECT_EQ(lines.back(), "WinMain|INFO|Application|End|");

    Scenario broken;
    broken.WriteJob("<job><scriptinstance>");
    EXPECT_EQ(broken.Run(), 0u);
    lines = LogLines(broken.Log());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "WinMain|FAILED|load Xml||Unable Load inputfile");
    EXPECT_EQ(lines.back(), "WinMain|INFO|Application|End|");
}

TEST(DriverE2E, HeaderChecksEndTheRunWithoutPost) {
    Scenario wrongFunction;
    wrongFunction.SetOsVersion("5.1", "Service Pack 3");  // an older Windows is noted, and the run goes on
    wrongFunction.WriteJob(JobXml({StepXml("Delete Scheme", "Nothing")}, "Some Other Function"));
    EXPECT_EQ(wrongFunction.Run(), 0u);
    std::vector<std::string> lines = LogLines(wrongFunction.Log());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_TRUE(Contains(lines, "WinMain|ERROR|Ostype|XP/2003/2000|"));
    EXPECT_TRUE(Contains(lines, "WinMain|INFO|Os Type||Vista / Win 2008 / Win 7"));
    EXPECT_TRUE(Contains(lines, "WinMain|INFO|Xml Data|FuncName|Some Other Function"));
    EXPECT_EQ(lines[lines.size() - 2], "WinMain|FAILED|||Function Name Not Matched");
    EXPECT_EQ(lines.back(), "WinMain|INFO|Application|End|");
    EXPECT_TRUE(wrongFunction.JournalCommands().empty());

    Scenario wrongScript;
    wrongScript.WriteJob(JobXml({StepXml("Delete Scheme", "Nothing")}, "power management for vista", "94"));
    EXPECT_EQ(wrongScript.Run(), 0u);
    lines = LogLines(wrongScript.Log());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "WinMain|FAILED|Data comapare||");
    EXPECT_EQ(lines.back(), "WinMain|INFO|Application|End|");
    for (const std::string& line : lines)
        EXPECT_EQ(line.find("Trying To Send The Following status For WebPost"), std::string::npos) << line;
}

TEST(DriverE2E, JobWithoutStepsRunsInOrderToTheNormalEnd) {
    Scenario s;
    // Without steps the header attributes are not read: the header comes
    // from the child elements of "scriptinstance".
    s.WriteJob(
        "<job><scriptinstance><scriptid>93</scriptid><agentcategory>Power</agentcategory>"
        "<agenttemplatename>Power Management for Vista</agenttemplatename><logonuser>user</logonuser>"
        "</scriptinstance></job>");
    EXPECT_EQ(s.Run(), 0u);
    const std::vector<std::string> lines = LogLines(s.Log());
    const std::vector<std::string> expectedInOrder = {
        "WinMain|INFO|Application|Start|====================================",
        "WinMain|SUCCESS|Xml||Initialize",
        "WinMain|SUCCESS|load Xml||" + s.JobPath(),
        "WinMain|INFO|load Xml||job",
        "1.0|CREATEWEBPOST|INFO|Relaynet DLL Loading Failed|",
        "1.0|CREATEWEBPOST|ERR:|WebPostApi Loading Failed|",
        "WinMain|INFO|Os Type||Vista / Win 2008 / Win 7",
        "WinMain|INFO|Xml Data|ScriptID|93",
        "WinMain|INFO|Xml Data|ScriptVer|",
        "WinMain|INFO|Xml Data|Category|Power",
        "WinMain|INFO|Xml Data|FuncName|Power Management for Vista",
        "WinMain|INFO|Xml Data|LogOn|user",
    };
    std::size_t at = 0;
    for (const std::string& expected : expectedInOrder) {
        const auto found = std::find(lines.begin() + static_cast<long>(at), lines.end(), expected);
        ASSERT_NE(found, lines.end()) << "missing or out of order: " << expected;
        at = static_cast<std::size_t>(found - lines.begin()) + 1;
    }
    EXPECT_EQ(lines.back(), "WinMain|INFO|Application|End|");
}

TEST(DriverE2E, UnusableInstallationPathCountsAsMissing) {
    const struct {
        const char* value;
        DWORD type;
        const char* reason;
    } cases[] = {
        {"", REG_SZ, "Value is empty"},
        {"Agent\\Relative", REG_SZ, "Value is not a full path: Agent\\Relative"},
        {nullptr, REG_EXPAND_SZ, "Value is not of type REG_SZ (type 2)"},  // the real folder, as REG_EXPAND_SZ
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        Scenario s;
        s.WriteJob(JobXml({StepXml("Delete Scheme", "Balanced")}));
        s.SetAgentValue("InstallationPath", c.value ? c.value : s.InstallPath(), c.type);
        const std::string folder = LogFolderUnder(DriveRoot(s));
        RemoveFolderTree(folder);
        EXPECT_EQ(s.Run(), 0u);
        const std::vector<std::string> lines = LogLines(Scenario::LogIn(DriveRoot(s)));
        RemoveFolderTree(folder);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), std::string("WinMain|ERROR|InstallationPath|Not Found|") + c.reason);
        EXPECT_FALSE(Contains(lines, "WinMain|INFO|Application|Start|===================================="));
        EXPECT_TRUE(s.JournalCommands().empty());
        EXPECT_EQ(GetFileAttributesA((s.InstallPath() + "\\Agent").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(DriverE2E, UnreadableStepIsLoggedWithItsReasonBeforeThePost) {
    Scenario s;
    s.WriteJob(JobXml({"<step><action>Delete Scheme</action><schname>Balanced</schname></step>"}));
    EXPECT_EQ(s.Run(), 0u);
    const std::vector<LogRecordLine> records = s.Log();
    const std::vector<std::string> lines = LogLines(records);
    const auto step = std::find(lines.begin(), lines.end(), "WinMain|ERROR|Step|Not Readable|Step has no attributes");
    ASSERT_NE(step, lines.end());
    ASSERT_NE(step + 1, lines.end());
    EXPECT_EQ(records[static_cast<std::size_t>(step + 1 - lines.begin())].val1,
              "Trying To Send The Following status For WebPost");
    EXPECT_TRUE(s.JournalCommands().empty());
}
