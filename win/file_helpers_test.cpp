#include "win/file_helpers.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/temp_folder.h"

TEST(FileHelpers, CreateFolderPathMakesEveryMissingLevel) {
    TempFolder temp;
    const std::string deep = temp.path() + "\\a\\b\\c";
    EXPECT_FALSE(FileExists(deep));
    CreateFolderPath(deep);
    EXPECT_TRUE(FileExists(deep));
    CreateFolderPath(deep);  // already there: nothing happens
    EXPECT_TRUE(FileExists(deep));
    EXPECT_FALSE(FileExists(temp.path() + "\\nothing"));
}
