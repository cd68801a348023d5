#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const char kProgram[] = "\"C:\\Program Files\\Agent\\Kestrovane.exe\" ";
const char kNine[] = "OD@#@93@#@C:\\Jobs\\job 1.xml@#@4711@#@DOMAIN\\user@#@12/08/2026 10:30:45@#@I-1@#@1@#@SJ9";

std::optional<std::string> Latin1(std::wstring_view field) {
    std::string out;
    for (const wchar_t c : field) {
        if (c > 0xFF) return std::nullopt;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

// The ASCII lines below, widened as GetCommandLineW gives them.
bool SplitJobArgs(std::string_view line, JobArgs& args) {
    return SplitJobArgs(std::wstring(line.begin(), line.end()), Latin1, args).stored;
}
}  // namespace

TEST(CommandLine, NineFieldsAfterTheProgramPathAreStoredIntact) {
    JobArgs args{};
    ASSERT_TRUE(SplitJobArgs(std::string(kProgram) + kNine, args));
    EXPECT_STREQ(args.OD, "\"C:\\Program Files\\Agent\\Kestrovane.exe\" OD");
    EXPECT_STREQ(args.ScriptId, "93");
    EXPECT_EQ(std::wstring(args.XmlFilePath), L"C:\\Jobs\\job 1.xml");
    EXPECT_STREQ(args.JobId, "4711");
    EXPECT_STREQ(args.UserLoggedIn, "DOMAIN\\user");
    EXPECT_STREQ(args.ExecutionTime, "12/08/2026 10:30:45");
    EXPECT_STREQ(args.InstanceID, "I-1");
    EXPECT_STREQ(args.IsRealTimeS, "1");
    EXPECT_STREQ(args.ScriptJobId, "SJ9");

    // A quoted argument keeps its closing quote in the last field; single at
    // signs and number signs split like the full separator.
    JobArgs quoted{};
    ASSERT_TRUE(SplitJobArgs("prog.exe \"OD@a#b@#@c@d@e@f@g@h\"", quoted));
    EXPECT_STREQ(quoted.OD, "prog.exe \"OD");
    EXPECT_STREQ(quoted.ScriptJobId, "h\"");
}

TEST(CommandLine, WrongFieldCountsAndOverlongValuesAreRejected) {
    JobArgs args{};
    // Eight: an empty field between two separators vanishes.
    EXPECT_FALSE(SplitJobArgs("p OD@#@93@#@@#@x@#@4711@#@u@#@t@#@i@#@1", args));
    // Ten: a number sign inside a value splits it.
    EXPECT_FALSE(SplitJobArgs("p OD@#@93@#@x@#@J#1@#@u@#@t@#@i@#@1@#@s", args));
    // One: no separator at all.
    EXPECT_FALSE(SplitJobArgs("prog.exe nothing", args));
    // ScriptJobId holds 31 characters; 32 do not fit and nothing is cut.
    const std::string base = "p OD@#@93@#@x@#@4711@#@u@#@t@#@i@#@1@#@";
    EXPECT_TRUE(SplitJobArgs(base + std::string(31, 'S'), args));
    JobArgs untouched{};
    EXPECT_FALSE(SplitJobArgs(base + std::string(32, 'S'), untouched));
    EXPECT_STREQ(untouched.OD, "");
    // The whole line is limited to 1023 characters.
    const std::string longPath(1023 - base.size() + 1, 'x');
    EXPECT_FALSE(SplitJobArgs("p OD@#@93@#@" + longPath + "@#@4711@#@u@#@t@#@i@#@1@#@s", untouched));
}

TEST(CommandLine, ThePathStaysExactAndAFieldWithoutAnExactFormIsNamed) {
    JobArgs args{};
    ASSERT_TRUE(
        SplitJobArgs(L"p OD@#@93@#@C:\\\u043a\\\uFF21.xml@#@4711@#@\u00e9@#@t@#@i@#@1@#@s", Latin1, args).stored);
    EXPECT_EQ(std::wstring(args.XmlFilePath), L"C:\\\u043a\\\uFF21.xml");
    EXPECT_STREQ(args.UserLoggedIn, "\xe9");
    JobArgs untouched{};
    EXPECT_EQ(SplitJobArgs(L"p OD@#@93@#@x@#@4711-\u0436@#@u@#@t@#@i@#@1@#@\u0436", Latin1, untouched).inexactField,
              "JobId");
    EXPECT_STREQ(untouched.OD, "");
}
