#include "base/os_display.h"

#include <gtest/gtest.h>

namespace {
OsVersion Version(unsigned major, unsigned minor, unsigned productType, const char* pack) {
    OsVersion v;
    v.platformId = 2;
    v.major = major;
    v.minor = minor;
    v.productType = productType;
    v.servicePack = pack;
    return v;
}
}  // namespace

TEST(OsDisplay, NamesAndCodesForVistaServer2008And7) {
    struct Case {
        unsigned minor, productType;
        const char* pack;
        const char* text;
        int code;
    } cases[] = {
        {0, 1, "", "Microsoft Windows Vista ", 1},
        {0, 1, "Service Pack 1", "Microsoft Windows Vista  Service Pack 1", 11},
        {0, 1, "service pack 2", "Microsoft Windows Vista  service pack 2", 12},
        {0, 3, "", "Microsoft Windows Server 2008 ", 2},
        {0, 2, "Service Pack 3", "Microsoft Windows Server 2008  Service Pack 3", 23},
        {1, 1, "", "Microsoft Windows 7 ", 3},
        {1, 1, "Service Pack 1", "Microsoft Windows 7  Service Pack 1", 31},
        {1, 1, "SERVICE PACK 2", "Microsoft Windows 7  SERVICE PACK 2", 32},
        {1, 3, "", "Microsoft Windows Server 2008 R2 ", 4},
        {1, 3, "Service Pack 1", "Microsoft Windows Server 2008 R2  Service Pack 1", 41},
        // A beta label is shown but keeps the base code.
        {1, 1, "Service Pack 1 (Beta)", "Microsoft Windows 7  Service Pack 1 (Beta)", 3},
        {0, 3, "Service Pack 4", "Microsoft Windows Server 2008  Service Pack 4", 2},
    };
    for (const Case& c : cases) {
        const OsDisplay d = BuildOsDisplay(Version(6, c.minor, c.productType, c.pack), 0);
        EXPECT_TRUE(d.written);
        EXPECT_EQ(d.text, c.text);
        EXPECT_EQ(d.osCode, c.code) << c.text;
    }
}

TEST(OsDisplay, OtherVersionsKeepTheCodeOrWriteNothing) {
    OsDisplay d = BuildOsDisplay(Version(6, 2, 1, "Service Pack 1"), 31);
    EXPECT_TRUE(d.written);
    EXPECT_EQ(d.text, "Microsoft ");
    EXPECT_EQ(d.osCode, 31);

    d = BuildOsDisplay(Version(10, 0, 1, ""), 7);
    EXPECT_EQ(d.text, "Microsoft ");
    EXPECT_EQ(d.osCode, 7);

    d = BuildOsDisplay(Version(4, 0, 1, ""), 5);
    EXPECT_FALSE(d.written);
    EXPECT_EQ(d.osCode, 5);

    OsVersion win9x = Version(6, 1, 1, "");
    win9x.platformId = 1;
    EXPECT_FALSE(BuildOsDisplay(win9x, 0).written);
}
