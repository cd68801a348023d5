#include "base/lead_bytes.h"

#include <gtest/gtest.h>

#include "base/command_quote.h"
#include "base/text.h"

namespace {
// Japanese (code page 932) lead bytes. Bytes of the texts below in it:
// 計画表 8C 76 89 E6 95 5C, ソ 83 5C, フ 83 74, ト 83 67, 機 8B 40.
const char kPlan[] = "\x8C\x76\x89\xE6\x95\x5C";
}  // namespace

TEST(LeadBytes, SecondBytesAreNeverTakenForSingleByteCharacters) {
    LeadBytes cp932;
    cp932.Add(0x81, 0x9F);
    cp932.Add(0xE0, 0xFC);
    // Quoting: a 5C that ends a character is no backslash; a real one is.
    EXPECT_EQ(QuoteArgument(kPlan, cp932), std::string("\"") + kPlan + "\"");
    EXPECT_EQ(QuoteArgument(kPlan), std::string("\"") + kPlan + "\\\"");
    EXPECT_EQ(QuoteArgument(std::string(kPlan) + "\\", cp932), std::string("\"") + kPlan + "\\\\\"");
    const std::string description = "\x83\x5C\x83\x74\x83\x67\x95\x5C\" x";
    const std::string line = QuoteArgument(kPlan, cp932) + " " + QuoteArgument(description, cp932);
    EXPECT_EQ(SplitCommandLine(line, cp932), (std::vector<std::string>{kPlan, description}));

    // Searches start at characters only.
    EXPECT_FALSE(ContainsNoCaseAscii("\x83Template", "Template", cp932));
    EXPECT_EQ(cp932.Find(std::string("\\\\") + kPlan + "\\", '\\', 2), 8u);  // a UNC server name
    EXPECT_EQ(cp932.FindLast(std::string("C:\\") + kPlan, '\\'), 2u);
    EXPECT_EQ(cp932.Find("\x8B\x40", '@'), std::string_view::npos);
}
