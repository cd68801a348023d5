#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const wchar_t kProgram[] = L"\"C:\\Program Files\\Agent\\Kestrovane.exe\" ";
const wchar_t kNine[] = L"OD@#@93@#@C:\\Jobs\\job 1.xml@#@4711@#@DOMAIN\\user@#@12/08/2026 10:30:45@#@I-1@#@1@#@SJ9";

// A code page of ASCII and Latin-1, like 1252 for the characters used here.
std::optional<std::string> Latin1(std::wstring_view field) {
    std::string out;
    for (const wchar_t c : field) {
        if (c > 0xFF) return std::nullopt;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

SplitVerdict Split(const std::wstring& line, JobArgs& args) { return SplitJobArgs(line, Latin1, args); }
}  // namespace

TEST(CommandLine, NineFieldsAfterTheProgramPathAreStoredIntact) {
    JobArgs args{};
    ASSERT_TRUE(Split(std::wstring(kProgram) + kNine, args).stored);
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
    ASSERT_TRUE(Split(L"prog.exe \"OD@a#b@#@c@d@e@f@g@h\"", quoted).stored);
    EXPECT_STREQ(quoted.OD, "prog.exe \"OD");
    EXPECT_STREQ(quoted.ScriptJobId, "h\"");
}

TEST(CommandLine, WrongFieldCountsAndOverlongValuesAreRejected) {
    JobArgs args{};
    // Eight: an empty field between two separators vanishes.
    EXPECT_FALSE(Split(L"p OD@#@93@#@@#@x@#@4711@#@u@#@t@#@i@#@1", args).stored);
    // Ten: a number sign inside a value splits it.
    EXPECT_FALSE(Split(L"p OD@#@93@#@x@#@J#1@#@u@#@t@#@i@#@1@#@s", args).stored);
    // One: no separator at all.
    EXPECT_FALSE(Split(L"prog.exe nothing", args).stored);
    // ScriptJobId holds 31 characters; 32 do not fit and nothing is cut.
    const std::wstring base = L"p OD@#@93@#@x@#@4711@#@u@#@t@#@i@#@1@#@";
    EXPECT_TRUE(Split(base + std::wstring(31, L'S'), args).stored);
    JobArgs untouched{};
    const SplitVerdict overlong = Split(base + std::wstring(32, L'S'), untouched);
    EXPECT_FALSE(overlong.stored);
    EXPECT_EQ(overlong.inexactField, "");
    EXPECT_STREQ(untouched.OD, "");
    // The whole line is limited to 1023 characters.
    const std::wstring longPath(1023 - base.size() + 1, L'x');
    EXPECT_FALSE(Split(L"p OD@#@93@#@" + longPath + L"@#@4711@#@u@#@t@#@i@#@1@#@s", untouched).stored);
}

TEST(CommandLine, ThePathStaysExactAndAFieldWithoutAnExactFormIsNamed) {
    JobArgs args{};
    ASSERT_TRUE(Split(L"p OD@#@93@#@C:\\\u043a\\\uFF21.xml@#@4711@#@\u00e9@#@t@#@i@#@1@#@s", args).stored);
    EXPECT_EQ(std::wstring(args.XmlFilePath), L"C:\\\u043a\\\uFF21.xml");
    EXPECT_STREQ(args.UserLoggedIn, "\xe9");
    // The first field without an exact form is named; nothing is stored.
    JobArgs untouched{};
    EXPECT_EQ(Split(L"p OD@#@93@#@x@#@4711-\u0436@#@u@#@t@#@i@#@1@#@\u0436", untouched).inexactField, "JobId");
    EXPECT_STREQ(untouched.OD, "");
}
