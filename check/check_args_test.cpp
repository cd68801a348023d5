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
}

TEST(CheckArgs, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::wstring>> refused = {{L"job.xml", L"--listing"},
                                                            {L"--listing", L"l.txt"},
                                                            {L"a.xml", L"b.xml"},
                                                            {L"--verbose"},
                                                            {L""},
                                                            {L"j.xml", L"--listing", L"a", L"--listing", L"b"}};
    for (const auto& args : refused) EXPECT_EQ(ParseCheckArgs(args).mode, CheckMode::Unusable) << args.size();
    EXPECT_EQ(ParseCheckArgs({L"--verbose"}).argument, L"--verbose");
}
