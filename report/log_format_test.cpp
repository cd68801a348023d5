#include "report/log_format.h"

#include <gtest/gtest.h>

TEST(LogFormat, FileNameHeaderAndRecord) {
    EXPECT_EQ(LogFileName("C:\\A\\ApplicationLog\\DorvikLog", "Kestrovane", {8, 12, 2026}),
              "C:\\A\\ApplicationLog\\DorvikLog\\Kestrovane_[08122026].Log");
    EXPECT_EQ(LogRecordDate({8, 1, 2026}), "08/01/2026");
    EXPECT_EQ(LogFileHeader("Kestrovane", "123456", true, "08/12/2026", "10:30:45 AM"),
              "#Software: Kestrovane\n#Version: 2.0.0.4\n#Regid : 123456\n"
              "#Operating System :  64 Bit Machine\n#Date: 08/12/2026 10:30:45 AM\n"
              "#Fields:\tdtime\tSession User Name\tmodule\ttype\tval1\tval2\tval3\n");
    EXPECT_NE(LogFileHeader("K", "", false, "d", "t").find("32 Bit Machine"), std::string::npos);
    EXPECT_EQ(LogRecord("08/12/2026", "10:30:45 AM", "user", "WinMain", "Info", "a", "", "b"),
              "08/12/2026 10:30:45 AM\tuser\tWinMain\tINFO\ta\t\tb\n");
}

// A value with line breaks (a logon user ending with a forged record, say)
// stays on its record's line, and one with tabs in its own column; the status
// record keeps its own line feeds and the tab after each.
TEST(LogFormat, LineBreaksNeverStartARecordNorTabsAColumn) {
    EXPECT_EQ(LogRecord("d", "t", "u\n", "W\r", "Info\v", "a\fb", "user\r\n01/01/2026 x", "x\n\ty"),
              "d t\tu \tW \tINFO \ta b\tuser  01/01/2026 x\tx  y\n");
    EXPECT_EQ(LogRecord("d", "t", "u\t", "m", "T", "0\tSUCCESS\tforged", "", ""),
              "d t\tu \tm\tT\t0 SUCCESS forged\t\t\n");
    EXPECT_EQ(
        LogRecord("d", "t", "u", "m", "T", "", "", "<r>\n\t<a>x\ny\r\n\t</a>\t\t\n", LineBreaks::StatusRecordInVal3),
        "d t\tu\tm\tT\t\t\t<r>\n\t<a>x y \n\t</a>   \n");
    EXPECT_NE(LogFileHeader("K", "1\r\n2", false, "d", "t").find("\n#Regid : 1  2\n#Operating"), std::string::npos);
}

TEST(LogFormat, TypeNormalisation) {
    EXPECT_EQ(NormaliseLogType("information"), "INFO");
    EXPECT_EQ(NormaliseLogType("INFORMATION"), "INFO");
    EXPECT_EQ(NormaliseLogType("Info"), "INFO");
    EXPECT_EQ(NormaliseLogType("Error"), "ERROR");
    EXPECT_EQ(NormaliseLogType("Success"), "SUCCESS");
    EXPECT_EQ(NormaliseLogType("CreateWebPost"), "CREATEWEBPOST");
    EXPECT_EQ(NormaliseLogType(""), "");
}
