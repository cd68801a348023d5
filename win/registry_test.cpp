#include "win/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
const char kTestKey[] = "Software\\KestrovaneTests\\Registry";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    }
    void Set(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    void SetText(const char* name, const char* text, DWORD type = REG_SZ) {
        Set(name, type, text, static_cast<DWORD>(std::strlen(text) + 1));
    }
    HKEY key_ = nullptr;
};
}  // namespace

TEST_F(RegistryTest, ValueTypesBecomeText) {
    SetText("Text", "123456");
    const DWORD one = 1, all = 4294967295u;
    Set("One", REG_DWORD, &one, sizeof one);
    Set("All", REG_DWORD, &all, sizeof all);
    Set("Raw", REG_BINARY, "ab", 2);
    SetText("Expand", "%TEMP%", REG_EXPAND_SZ);

    CRegistry registry;
    char out[32] = "untouched";
    DWORD size = 0;
    ASSERT_TRUE(registry.QueryValue("hkey_current_user", kTestKey, "Text", out, sizeof out, &size));
    EXPECT_STREQ(out, "123456");
    EXPECT_EQ(size, 7u);
    EXPECT_EQ(registry.LastErrorText(), "");
    ASSERT_TRUE(registry.QueryValue("HKEY_CURRENT_USER", kTestKey, "One", out, sizeof out));
    EXPECT_STREQ(out, "1");
    ASSERT_TRUE(registry.QueryValue("HKEY_CURRENT_USER", kTestKey, "All", out, sizeof out));
    EXPECT_STREQ(out, "-1");
    ASSERT_TRUE(registry.QueryValue("HKEY_CURRENT_USER", kTestKey, "Raw", out, sizeof out, &size));
    EXPECT_STREQ(out, "ab");
    EXPECT_EQ(size, 2u);

    // Another type counts as read and leaves the field as it was.
    std::strcpy(out, "kept");
    EXPECT_TRUE(registry.QueryValue("HKEY_CURRENT_USER", kTestKey, "Expand", out, sizeof out));
    EXPECT_STREQ(out, "kept");
}

TEST_F(RegistryTest, FailuresCarryTheCallAndTheSystemText) {
    CRegistry registry;
    char out[32] = "";
    EXPECT_FALSE(registry.QueryValue("HKEY_CURRENT_USER", kTestKey, "Missing", out, sizeof out));
    EXPECT_EQ(registry.LastErrorText().rfind("RegQueryValueEx [2]::", 0), 0u) << registry.LastErrorText();
    EXPECT_GT(registry.LastErrorText().size(), std::strlen("RegQueryValueEx [2]::"));

    EXPECT_FALSE(
        registry.QueryValue("HKEY_CURRENT_USER", "Software\\KestrovaneTests\\NoSuchKey", "X", out, sizeof out));
    EXPECT_EQ(registry.LastErrorText().rfind("RegOpenKeyEx [2]::", 0), 0u) << registry.LastErrorText();

    // A value longer than its field is a failed read; nothing is cut.
    SetText("Long", "0123456789012345678901234567890123456789");
    std::strcpy(out, "before");
    EXPECT_FALSE(registry.QueryValue("HKEY_CURRENT_USER", kTestKey, "Long", out, sizeof out));
    EXPECT_STREQ(out, "before");
    EXPECT_NE(registry.LastErrorText().find("longer than 31 characters"), std::string::npos);

    // A later success clears the error text.
    SetText("Text", "x");
    EXPECT_TRUE(registry.QueryValue("HKEY_CURRENT_USER", kTestKey, "Text", out, sizeof out));
    EXPECT_EQ(registry.LastErrorText(), "");
}

TEST(RegistryRoots, UnknownRootNamesOpenTheLocalMachine) {
    EXPECT_EQ(CRegistry::RootKey("HKLM"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(CRegistry::RootKey("HKEY_LOCAL"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(CRegistry::RootKey("hkey_users"), HKEY_USERS);
    EXPECT_EQ(CRegistry::RootKey("HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(CRegistry::RootKey("Hkey_Current_Config"), HKEY_CURRENT_CONFIG);
    CRegistry registry;
    char out[256] = "";
    EXPECT_TRUE(registry.QueryValue("HKLM", "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", out,
                                    sizeof out));
}
