#include "check/check_facts.h"

#include <gtest/gtest.h>

TEST(CheckFacts, SayWhichFactsWereUsedAndWhereEachCameFrom) {
    CheckFacts here;
    here.windows = {6, 1};
    here.servicePack = 1;
    here.server = true;
    here.hibernation = true;
    here.pages = {1252, 437};

    const CheckFacts mine = ResolveFacts({}, here);
    EXPECT_EQ(FactsLine(mine, {}, TextBytes::ConsoleCodePage),
              "facts: Windows Server 6.1 Service Pack 1 (this machine), hibernation supported (this machine), "
              "listing code page 437 (this machine), ANSI code page 1252 (this machine)");

    // --windows alone is a workstation without a service pack.
    FactOptions given;
    given.windows = WindowsVersion{6, 0};
    given.hibernation = false;
    given.listingCodePage = 866;
    const CheckFacts vista = ResolveFacts(given, here);
    EXPECT_EQ(vista.pages.ansi, 1251u);
    EXPECT_EQ(FactsLine(vista, given, TextBytes::ConsoleCodePage),
              "facts: Windows 6.0 (--windows), hibernation not supported (--hibernation), "
              "listing code page 866 (--code-page), ANSI code page 1251 (from the listing's)");
    EXPECT_EQ(FactsLine(vista, given, TextBytes::Utf8),
              "facts: Windows 6.0 (--windows), hibernation not supported (--hibernation), "
              "listing in UTF-8 (the file), ANSI code page 1251 (from --code-page 866)");

    given.servicePack = 2;
    given.server = true;
    EXPECT_EQ(FactsLine(ResolveFacts(given, here), given, TextBytes::ConsoleCodePage)
                  .rfind("facts: Windows Server 6.0 Service Pack 2 (--windows, --server, --service-pack), ", 0),
              0u);
}
