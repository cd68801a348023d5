// Texts outside ASCII on their way from the agent and the job to POWERCFG.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/e2e/scenario.h"
#include "tests/e2e/valid_settings.h"
#include "win/owners.h"

namespace {
std::wstring Wide(const std::string& utf8) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, MAX_PATH);
    return wide;
}

std::string PlanNames(const Scenario& s) {
    std::string names;
    for (const SimPlan& plan : s.ReadSimState().plans) names += plan.name + "|";
    return names;
}
}  // namespace

// Code page 932 (run as e2e.CodePageE2E.OnJapaneseWindows): 表 ends in 0x5C,
// 機 in 0x40. The plan keeps its name and description and is found again.
TEST(CodePageE2E, DoubleByteCharactersStayWholeInCommandsAndArgument) {
    if (GetACP() != 932) {
        // Started under the Japanese locale, another code page means that
        // locale did not take: a failure, not a skip that passes unnoticed.
        const char* locale = std::getenv("LC_ALL");
        ASSERT_FALSE(locale && std::string(locale) == "ja_JP.UTF-8") << "code page " << GetACP() << ", not 932";
        GTEST_SKIP() << "needs code page 932";
    }
    Scenario s;
    s.UseUtf8Argument();
    s.SetField(4, "機械");
    s.WriteJob(
        JobXml({StepXml("Create Scheme", "計画表", ValidSettings({{"schbasedon", "1"}, {"schdesc", "ソフト表"}})),
                StepXml("Delete Scheme", "計画表")}));
    EXPECT_EQ(s.Run(), 0u);
    const std::vector<std::string> journal = s.JournalCommands();
    ASSERT_GE(journal.size(), 3u);
    const std::string guid = journal[2].substr(22, 36);
    EXPECT_EQ(journal[2], "POWERCFG -CHANGENAME \"" + guid + "\" \"計画表\" \"ソフト表\"");
    EXPECT_EQ(journal.back(), "POWERCFG -DELETE \"" + guid + "\"");
    EXPECT_EQ(PlanNames(s), "Balanced|High performance|Power saver|");
    EXPECT_EQ(PostedStatus(s).status, "Success");
}

// Code page 1252: the job named by "Ａ" in a Cyrillic folder runs, not "A.xml"
// beside it; a JobId the code page cannot hold refuses the run.
TEST(CodePageE2E, TheNamedDocumentRunsAndAFieldWithoutAnAnsiFormIsRefused) {
    Scenario s;
    s.UseUtf8Argument();
    const std::string folder = s.InstallPath() + "\\задания\\";
    ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr));
    for (const char* plan : {"High performance", "Power saver"}) {
        const std::string name = plan[0] == 'H' ? "A.xml" : "Ａ.xml", xml = JobXml({StepXml("Delete Scheme", plan)});
        UniqueFile file(CreateFileW(Wide(folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), xml.data(), static_cast<DWORD>(xml.size()), &written, nullptr));
    }
    s.SetField(2, folder + "Ａ.xml");
    EXPECT_EQ(s.Run(), 0u);
    EXPECT_EQ(PlanNames(s), "Balanced|High performance|");
    const std::vector<std::string> lines = LogLines(s.Log());
    EXPECT_EQ(
        std::count(lines.begin(), lines.end(), "WinMain|SUCCESS|load Xml||" + s.InstallPath() + "\\???????\\?.xml"), 1);
    EXPECT_EQ(PostedStatus(s).status, "Success");
    for (const char* name : {"A.xml", "Ａ.xml"}) DeleteFileW(Wide(folder + name).c_str());
    RemoveDirectoryW(Wide(folder).c_str());  // the ANSI clean-up cannot name it

    Scenario refused;
    refused.UseUtf8Argument();
    refused.SetField(3, "4711-ж");
    EXPECT_EQ(refused.Run(), 0u);
    const std::vector<std::string> log = LogLines(refused.Log());
    EXPECT_EQ(log[log.size() - 2],
              "ParseInput|ERROR|Invalid Commandline Parameter received.|JobId has characters the "
              "ANSI code page cannot hold|ANSI code page 1252");
    EXPECT_EQ(log.back(), "WinMain|INFO|Application|End|ParseInput");
    EXPECT_TRUE(refused.FilesIn("DorvikPostLogs").empty());
}
