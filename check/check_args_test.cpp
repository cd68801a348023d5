#include "check/check_args.h"

#include <gtest/gtest.h>

TEST(CheckArgs, TheFourForms) {
    EXPECT_EQ(ParseCheckArgs({}).mode, CheckMode::Installation);
    EXPECT_EQ(ParseCheckArgs({L"job.xml", L"--help"}).mode, CheckMode::Help);
    const CheckArgs job = ParseCheckArgs({L"C:\\jobs\\\u0416.xml"});
    EXPECT_EQ(job.mode, CheckMode::Job);
    EXPECT_EQ(job.jobPath, L"C:\\jobs\\\u0416.xml");
    EXPECT_TRUE(job.listingPath.empty());
    const CheckArgs listed = ParseCheckArgs({L"--listing", L"l.txt", L"job.xml"});
    EXPECT_EQ(listed.mode, CheckMode::Job);
    EXPECT_EQ(listed.listingPath, L"l.txt");
    const CheckArgs compared = ParseCheckArgs({L"j.xml", L"--values", L"v.txt", L"--listing", L"l", L"--compliance"});
    EXPECT_EQ(compared.valuesPath, L"v.txt");
    EXPECT_TRUE(compared.compliance);
}

TEST(CheckArgs, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::wstring>> refused = {{L"job.xml", L"--listing"},
                                                            {L"--listing", L"l.txt"},
                                                            {L"a.xml", L"b.xml"},
                                                            {L"--verbose"},
                                                            {L""},
                                                            {L"j.xml", L"--listing", L"a", L"--listing", L"b"},
                                                            {L"j.xml", L"--values", L"v.txt"},
                                                            {L"--compliance"}};
    for (const auto& args : refused) EXPECT_EQ(ParseCheckArgs(args).mode, CheckMode::Unusable) << args.size();
    EXPECT_EQ(ParseCheckArgs({L"--verbose"}).argument, L"--verbose");
}

TEST(CheckArgs, FactOptionsAndTheirRefusals) {
    const CheckArgs all = ParseCheckArgs({L"j.xml", L"--windows", L"6.1", L"--service-pack", L"0", L"--server",
                                          L"--hibernation", L"No", L"--listing", L"l.txt", L"--code-page", L"866"});
    ASSERT_EQ(all.mode, CheckMode::Job) << all.reason;
    EXPECT_EQ(all.facts.windows->major, 6u);
    EXPECT_EQ(all.facts.windows->minor, 1u);
    EXPECT_EQ(all.facts.servicePack, 0u);
    EXPECT_EQ(all.facts.server, true);
    EXPECT_EQ(all.facts.hibernation, false);
    EXPECT_EQ(all.facts.listingCodePage, 866u);
    const FactOptions none = ParseCheckArgs({L"j.xml", L"--windows", L"10.0"}).facts;
    EXPECT_TRUE(none.windows && !none.servicePack && !none.server && !none.hibernation && !none.listingCodePage);

    const std::pair<std::vector<std::wstring>, std::string> refused[] = {
        {{L"j.xml", L"--windows", L"6.1", L"--windows", L"6.0"}, "--windows is given twice"},
        {{L"j.xml", L"--server", L"--windows", L"6.0", L"--server"}, "--server is given twice"},
        {{L"j.xml", L"--windows"}, "--windows needs a version after it"},
        {{L"j.xml", L"--hibernation", L""}, "--hibernation needs yes or no after it"},
        {{L"j.xml", L"--windows", L"7"}, "--windows takes a version of two numbers, such as 6.1"},
        {{L"j.xml", L"--windows", L"6.1.7600"}, "--windows takes a version of two numbers, such as 6.1"},
        {{L"j.xml", L"--windows", L"6.x"}, "--windows takes a version of two numbers, such as 6.1"},
        {{L"j.xml", L"--windows", L"6.1", L"--service-pack", L"-1"},
         "--service-pack takes a number, such as 1 (0: none)"},
        {{L"j.xml", L"--hibernation", L"maybe"}, "--hibernation takes yes or no"},
        {{L"j.xml", L"--listing", L"l", L"--code-page", L"1251"},
         "--code-page names a console code page the check does not know"},
        {{L"j.xml", L"--listing", L"l", L"--code-page", L"\u0668\u0666\u0666"},
         "--code-page takes a number, such as 866"},
        {{L"j.xml", L"--code-page", L"866"}, "--code-page needs --listing"},
        {{L"j.xml", L"--service-pack", L"1"}, "--service-pack needs --windows"},
        {{L"j.xml", L"--server"}, "--server needs --windows"},
        {{L"--hibernation", L"yes"}, "--hibernation needs a job document"},
    };
    for (const auto& [args, reason] : refused) {
        const CheckArgs parsed = ParseCheckArgs(args);
        EXPECT_EQ(parsed.mode, CheckMode::Unusable) << reason;
        EXPECT_EQ(parsed.reason, reason);
    }
    EXPECT_EQ(ParseCheckArgs({L"j.xml", L"--windows", L"7"}).argument, L"7");

    // The usage shows every option, in lines of at most 100 characters.
    const std::string usage = kCheckUsage;
    for (const char* option : {"--windows", "--service-pack", "--server", "--hibernation", "--code-page"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    for (std::size_t start = 0, end; start < usage.size(); start = end + 1) {
        end = std::min(usage.find('\n', start), usage.size());
        EXPECT_LE(end - start, 100u) << usage.substr(start, end - start);
    }
}
