#include "base/lead_bytes.h"

#include <gtest/gtest.h>

#include "base/command_quote.h"
#include "base/text.h"

namespace {
// Japanese (code page 932) lead bytes. Bytes of the texts below in it:
// 計画表 8C 76 89 E6 95 5C, ソ 83 5C, フ 83 74, ト 83 67, 機 8B 40.
LeadBytes Cp932() {
    LeadBytes lead;
    lead.Add(0x81, 0x9F);
    lead.Add(0xE0, 0xFC);
    return lead;
}
const char kPlan[] = "\x8C\x76\x89\xE6\x95\x5C";
}  // namespace

TEST(LeadBytes, SecondBytesAreNeverTakenForSingleByteCharacters) {
    const LeadBytes cp932 = Cp932();
    // Quoting: the 5C ending a character is no backslash before the closing
    // quote; a real one after it is still doubled. Single-byte pages unchanged.
    EXPECT_EQ(QuoteArgument(kPlan, cp932), std::string("\"") + kPlan + "\"");
    EXPECT_EQ(QuoteArgument(kPlan), std::string("\"") + kPlan + "\\\"");
    EXPECT_EQ(QuoteArgument(std::string(kPlan) + "\\", cp932), std::string("\"") + kPlan + "\\\\\"");
    const std::string description = "\x83\x5C\x83\x74\x83\x67\x95\x5C\" x";
    const std::string line = QuoteArgument(kPlan, cp932) + " " + QuoteArgument(description, cp932);
    EXPECT_EQ(SplitCommandLine(line, cp932), (std::vector<std::string>{kPlan, description}));

    // Searches start at characters only.
    EXPECT_FALSE(ContainsNoCaseAscii("\x83Template", "Template", cp932));
    EXPECT_TRUE(ContainsNoCaseAscii("\x83Template", "Template"));
    EXPECT_TRUE(ContainsNoCaseAscii("\x8B\x40Template", "template", cp932));
    const std::string path = std::string("C:\\") + kPlan + "\\x";
    EXPECT_EQ(cp932.Find(path, '\\', 3), 9u);
    EXPECT_EQ(cp932.FindLast(std::string("C:\\") + kPlan, '\\'), 2u);
    EXPECT_EQ(cp932.Find("\x8B\x40", '@'), std::string_view::npos);
    // A lead byte cut off at the end stands alone.
    EXPECT_EQ(cp932.CharLength("a\x8B", 1), 1u);
}
