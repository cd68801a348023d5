#include "power/left_copy.h"

#include <gtest/gtest.h>

// The record is read back exactly, whatever the names hold; a damaged line
// (a run ended while writing) is skipped rather than taken for a copy.
TEST(LeftCopy, RecordReadsBackItsCopiesAndSkipsDamagedLines) {
    const std::vector<SchemeEntry> copies = {{"Balanced", "0a1b2c3d-0000-4000-8000-0000000000a1", ""},
                                             {"Power (saver)\tx", "0a1b2c3d-0000-4000-8000-0000000000b2", ""}};
    const std::string text = LeftCopiesText(copies);
    const std::vector<SchemeEntry> read = LeftCopiesFrom(text + "Scheme Copy: 0a1b2c3d-00");
    ASSERT_EQ(read.size(), 2u);
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].SchemeGuid, copies[i].SchemeGuid);
        EXPECT_EQ(read[i].SchemeName, copies[i].SchemeName);
    }
    const FailureReport refusal = LeftCopyRefusal(read[0], "balanced");
    EXPECT_EQ(refusal.status,
              "A copy named like this scheme, left by a stopped run, could not be deleted (Scheme GUID "
              "0a1b2c3d-0000-4000-8000-0000000000a1) hence not processed");
    ASSERT_TRUE(refusal.line);
    EXPECT_EQ(refusal.line->val1, "balanced");
}
