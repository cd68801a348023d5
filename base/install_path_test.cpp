#include "base/install_path.h"

#include <gtest/gtest.h>

TEST(InstallationPath, OnlyFullDriveAndUncPathsAreAccepted) {
    for (const char* good : {"C:\\Program Files\\Agent", "d:/agent", "Z:\\", "\\\\server\\share", "\\\\srv\\s\\agent"})
        EXPECT_EQ(InstallationPathProblem(good), "") << good;
    EXPECT_EQ(InstallationPathProblem(""), "Value is empty");
    for (const char* bad : {"Agent\\Folder", "C:Agent", "C:", "\\Agent", "\\\\server", "\\\\server\\", "\\\\\\share",
                            "1:\\x", ".\\Agent"})
        EXPECT_EQ(InstallationPathProblem(bad), std::string("Value is not a full path: ") + bad) << bad;
}
