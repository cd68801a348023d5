#include "driver/install_path.h"

#include <gtest/gtest.h>

TEST(InstallationPath, OnlyFullDriveAndUncPathsAreAccepted) {
    for (const char* good : {"C:\\Program Files\\Agent", "d:/agent", "Z:\\", "\\\\server\\share", "\\\\srv\\s\\agent"})
        EXPECT_EQ(InstallationPathProblem(good), "") << good;
    EXPECT_EQ(InstallationPathProblem(""), "Value is empty");
    for (const char* bad : {"Agent\\Folder", "C:Agent", "C:", "\\Agent", "\\\\server", "\\\\server\\", "\\\\\\share",
                            "1:\\x", ".\\Agent"})
        EXPECT_EQ(InstallationPathProblem(bad), std::string("Value is not a full path: ") + bad) << bad;
    // In code page 932 the 5C of 表 (95 5C) does not end a server name.
    LeadBytes cp932;
    cp932.Add(0x81, 0x9F);
    cp932.Add(0xE0, 0xFC);
    EXPECT_EQ(InstallationPathProblem("\\\\\x95\x5Cshare", cp932), "Value is not a full path: \\\\\x95\x5Cshare");
    EXPECT_EQ(InstallationPathProblem("\\\\\x95\x5C\\share", cp932), "");
}
