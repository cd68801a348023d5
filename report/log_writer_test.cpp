#include "report/log_writer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/day_log.h"
#include "tests/win/temp_folder.h"

namespace {
class LogWriterTest : public ::testing::Test {
protected:
    void SetUp() override { SetLogDestination({temp_.path(), "123456", true}); }
    void TearDown() override { ClearLogDestination(); }
    TempFolder temp_;
};
}  // namespace

TEST_F(LogWriterTest, NewFileGetsHeaderThenRecordsWithCrLf) {
    WriteLog("Kestrovane", "WinMain", "information", "Application", "", "Start");
    LogLine("ModifyPowerSchemeVista", "Failed", "ExecuteCommand", "5", "Access is denied.\r\n");
    LogLine("1.0", "CreateWebPost", "Trying", "url", "<a>\n\t<b/>");
    LogLineWithStatusRecord("1.0", "CreateWebPost", "Trying", "url", "<a>\n\t<b/>");

    const std::string text = ReadRunLog(temp_.path());
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.rfind("#Software: Kestrovane\r\n#Version: 2.0.0.4\r\n#Regid : 123456\r\n"
                         "#Operating System :  64 Bit Machine\r\n#Date: ",
                         0),
              0u);
    EXPECT_NE(text.find("\r\n#Fields:\tdtime\tSession User Name\tmodule\ttype\tval1\tval2\tval3\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\tWinMain\tINFO\tApplication\t\tStart\r\n"), std::string::npos);
    // Line breaks and tabs are blanks but in the status record; LF is written as CR LF.
    EXPECT_NE(text.find("\tModifyPowerSchemeVista\tFAILED\tExecuteCommand\t5\tAccess is denied.  \r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\t1.0\tCREATEWEBPOST\tTrying\turl\t<a>  <b/>\r\n"), std::string::npos);
    EXPECT_NE(text.find("\t1.0\tCREATEWEBPOST\tTrying\turl\t<a>\r\n\t<b/>\r\n"), std::string::npos);
    // One header only.
    EXPECT_EQ(text.find("#Software:", 1), std::string::npos);
}

TEST_F(LogWriterTest, ExistingFileWithoutHeaderGetsNone) {
    CreateDirectoryA((temp_.path() + "\\ApplicationLog").c_str(), nullptr);
    CreateDirectoryA((temp_.path() + "\\ApplicationLog\\DorvikLog").c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(TodaysLogPath(temp_.path()), "made elsewhere\r\n"));

    LogLine("WinMain", "Info", "a", "b", "c");
    const std::string text = ReadRunLog(temp_.path());
    EXPECT_EQ(text.rfind("made elsewhere\r\n", 0), 0u);
    EXPECT_EQ(text.find("#Software"), std::string::npos);
    EXPECT_NE(text.find("\tWinMain\tINFO\ta\tb\tc\r\n"), std::string::npos);
}

TEST_F(LogWriterTest, EmptyInstallationPathLogsUnderTheCurrentDrivesRoot) {
    SetLogDestination({});
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(temp_.path().c_str()));
    const std::string driveRoot = temp_.path().substr(0, 2);
    const std::string rootFolder = driveRoot + "\\ApplicationLog";
    const bool existed = GetFileAttributesA(rootFolder.c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool hadHeader = GetFileAttributesA(TodaysLogPath(driveRoot).c_str()) != INVALID_FILE_ATTRIBUTES;

    LogLine("WinMain", "ERROR", "REGID", "Not Found", "RegOpenKeyEx [2]::x");
    const std::string text = ReadRunLog(driveRoot);
    SetCurrentDirectoryA(previous);
    if (!existed) RemoveFolderTree(rootFolder);

    // An earlier run of the day may have made the file (and its header) already.
    if (!hadHeader) {
        EXPECT_NE(text.find("#Regid : \r\n#Operating System :  32 Bit Machine\r\n"), std::string::npos);
    }
    EXPECT_NE(text.find("\tWinMain\tERROR\tREGID\tNot Found\tRegOpenKeyEx [2]::x\r\n"), std::string::npos);
}

TEST_F(LogWriterTest, WritingALineKeepsTheThreadsLastError) {
    LogLine("WinMain", "Info", "first", "", "");  // the file exists from here on
    SetLastError(ERROR_ACCESS_DENIED);
    LogLine("ExecuteCMD", "ERROR", "Process as user Failed", "5", "Access is denied.");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(LogWriterTest, NothingIsWrittenWithoutADestination) {
    ClearLogDestination();
    EXPECT_FALSE(LogLineWritten("WinMain", "Info", "Application", "Start", "="));
    EXPECT_EQ(GetFileAttributesA((temp_.path() + "\\ApplicationLog").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LogWriterTest, ALineThatCannotBeWrittenIsReported) {
    temp_.WriteFile("ApplicationLog", "a file where the log folder belongs");
    EXPECT_FALSE(LogLineWritten("WinMain", "Info", "Application", "Start", "="));
    DeleteFileA((temp_.path() + "\\ApplicationLog").c_str());
    EXPECT_TRUE(LogLineWritten("WinMain", "Info", "Application", "Start", "="));
    EXPECT_NE(ReadRunLog(temp_.path()).find("\tWinMain\tINFO\tApplication\tStart\t=\r\n"), std::string::npos);
}
