#include "base/command_quote.h"

#include <gtest/gtest.h>

TEST(CommandQuote, OrdinaryValuesGetPlainQuotes) {
    EXPECT_EQ(QuoteArgument("Balanced"), "\"Balanced\"");
    EXPECT_EQ(QuoteArgument("My Plan 2"), "\"My Plan 2\"");
    EXPECT_EQ(QuoteArgument("381b4222-f694-41f0-9685-ff5bb260df2e"), "\"381b4222-f694-41f0-9685-ff5bb260df2e\"");
    EXPECT_EQ(QuoteArgument(""), "\"\"");
    // Backslashes not before a quote stay single.
    EXPECT_EQ(QuoteArgument("C:\\a b\\c"), "\"C:\\a b\\c\"");
}

TEST(CommandQuote, AwkwardValuesAreEscaped) {
    EXPECT_EQ(QuoteArgument("say \"hi\""), "\"say \\\"hi\\\"\"");
    EXPECT_EQ(QuoteArgument("end\\"), "\"end\\\\\"");
    EXPECT_EQ(QuoteArgument("a\\\"b"), "\"a\\\\\\\"b\"");
}

TEST(CommandQuote, AwkwardValuesRoundTrip) {
    const char* values[] = {
        "",
        " ",
        "\t",
        "plain",
        "two words",
        "tab\there",
        "\"",
        "\"\"",
        "a\"b",
        "\"quoted\"",
        "trailing\\",
        "trailing\\\\",
        "\\",
        "\\\\",
        "a\\\"b",
        "a\\\\\"b",
        "\\\"",
        "x \\\" y\\",
        "name \"with\" quote\\",
        "  lead and trail  ",
        "\xC3\xA9t\xC3\xA9 plan",
    };
    for (const char* value : values) {
        const std::string line = "-CHANGENAME " + QuoteArgument(value) + " " + QuoteArgument(value);
        const std::vector<std::string> args = SplitCommandLine(line);
        ASSERT_EQ(args.size(), 3u) << line;
        EXPECT_EQ(args[0], "-CHANGENAME");
        EXPECT_EQ(args[1], value) << line;
        EXPECT_EQ(args[2], value) << line;
    }
}

TEST(CommandQuote, SplitFollowsRuntimeRules) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitCommandLine(""), V{});
    EXPECT_EQ(SplitCommandLine("  \t "), V{});
    EXPECT_EQ(SplitCommandLine("/l"), V{"/l"});
    EXPECT_EQ(SplitCommandLine("  a\t b  "), (V{"a", "b"}));
    EXPECT_EQ(SplitCommandLine("\"\" x"), (V{"", "x"}));
    EXPECT_EQ(SplitCommandLine("a\"b c\"d"), V{"ab cd"});
    // Backslashes before something other than a quote are literal.
    EXPECT_EQ(SplitCommandLine("a\\\\b"), V{"a\\\\b"});
    // 2n backslashes and a quote: n backslashes, the quote toggles.
    EXPECT_EQ(SplitCommandLine("a\\\\\"b c\""), V{"a\\b c"});
    // 2n+1 backslashes and a quote: n backslashes and a literal quote.
    EXPECT_EQ(SplitCommandLine("a\\\\\\\"b c"), (V{"a\\\"b", "c"}));
    // "" inside a quoted argument is a literal quote and stays quoted.
    EXPECT_EQ(SplitCommandLine("\"a\"\"b c\" d"), (V{"a\"b c", "d"}));
    // An unclosed quote runs to the end.
    EXPECT_EQ(SplitCommandLine("\"a b"), V{"a b"});
}
