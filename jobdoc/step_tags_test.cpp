#include "jobdoc/step_tags.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "jobdoc/text_field.h"

namespace {
std::string Store(PwrScheme& step, const char* tag, const std::string& text) {
    const StepTag* row = FindStepTag(tag);
    EXPECT_NE(row, nullptr) << tag;
    std::string error;
    if (row && !StoreStepTag(step, *row, tag, text, error)) return error;
    return "";
}
}  // namespace

TEST(StepTags, EveryFieldHasExactlyOneTagMatchedInAnyCase) {
    const char* tags[] = {"action",       "schname",    "schbasedon", "schdesc",     "modifyoption", "overwrite",
                          "schactive",    "enahiber",   "critbatact", "lowbatact",   "critbatlev",   "lowbatlev",
                          "lowbatnotif",  "turnoffm",   "turnoffhd",  "turnoffstnd", "turnoffhib",   "wirelessmode",
                          "closelid",     "powerbtn",   "sleepbtn",   "startmenu",   "pcilinkstate", "procminstate",
                          "procmaxstate", "syscooling", "reqpwd",     "allowhbrid",  "allowwake",    "suspndset"};
    std::set<std::size_t> offsets;
    std::size_t bytes = sizeof(PwrScheme::CStepValue);
    for (const char* tag : tags) {
        const StepTag* row = FindStepTag(tag);
        ASSERT_NE(row, nullptr) << tag;
        EXPECT_TRUE(offsets.insert(row->offset).second) << tag;
        bytes += row->size;
        if (row->dcSize) {
            EXPECT_TRUE(offsets.insert(row->dcOffset).second) << tag;
            bytes += row->dcSize;
        }
    }
    // The tags cover the whole record apart from the step's "value" attribute
    // and the two closing flags.
    EXPECT_EQ(offsets.size(), 52u);
    EXPECT_EQ(bytes + 2 * sizeof(bool), sizeof(PwrScheme));

    EXPECT_EQ(FindStepTag("TurnOffM"), FindStepTag("turnoffm"));
    EXPECT_EQ(FindStepTag("SCHNAME"), FindStepTag("schname"));
    EXPECT_EQ(FindStepTag("turnoff"), nullptr);
    EXPECT_EQ(FindStepTag("turnoffmx"), nullptr);
    EXPECT_EQ(FindStepTag(""), nullptr);

    PwrScheme step{};
    EXPECT_EQ(Store(step, "lowbatact", "2#@#3"), "");
    EXPECT_STREQ(step.CLowBatActAC, "2");
    EXPECT_STREQ(step.CLowBatActDC, "3");
    EXPECT_STREQ(step.CCritBatActAC, "");
}

TEST(StepTags, PairedValuesSplitAtTheFirstSeparator) {
    auto parts = SplitAcDc("10#@#5");
    EXPECT_EQ(parts.first, "10");
    EXPECT_EQ(parts.second, "5");
    parts = SplitAcDc("10");
    EXPECT_EQ(parts.first, "10");
    EXPECT_EQ(parts.second, "");
    parts = SplitAcDc("#@#5");
    EXPECT_EQ(parts.first, "");
    EXPECT_EQ(parts.second, "5");
    parts = SplitAcDc("1#@#2#@#3");
    EXPECT_EQ(parts.first, "1");
    EXPECT_EQ(parts.second, "2#@#3");
    parts = SplitAcDc("1#@2#3");  // a broken separator is no separator
    EXPECT_EQ(parts.first, "1#@2#3");
    EXPECT_EQ(parts.second, "");

    // A later element of the same tag replaces both halves.
    PwrScheme step{};
    EXPECT_EQ(Store(step, "turnoffm", "10#@#5"), "");
    EXPECT_EQ(Store(step, "turnoffm", "7"), "");
    EXPECT_STREQ(step.CTurnOffMAC, "7");
    EXPECT_STREQ(step.CTurnOffMDC, "");
}

TEST(StepTags, ValuesThatDoNotFitAreRefusedWithTheirLimit) {
    PwrScheme step{};
    EXPECT_EQ(Store(step, "schname", std::string(49, 'n')), "");
    EXPECT_EQ(std::strlen(step.CSchName), 49u);
    EXPECT_EQ(Store(step, "schname", std::string(50, 'n')), "Value of \"schname\" is longer than 49 characters");
    EXPECT_STREQ(step.CSchName, "");

    EXPECT_EQ(Store(step, "schdesc", std::string(2047, 'd')), "");
    EXPECT_EQ(Store(step, "schdesc", std::string(2048, 'd')), "Value of \"schdesc\" is longer than 2047 characters");
    EXPECT_EQ(Store(step, "overwrite", std::string(21, '1')), "Value of \"overwrite\" is longer than 20 characters");

    // Each half of a pair has its own limit.
    EXPECT_EQ(Store(step, "turnoffm", std::string(20, '9') + "#@#" + std::string(20, '8')), "");
    EXPECT_EQ(Store(step, "turnoffm", std::string(21, '9') + "#@#1"),
              "AC value of \"turnoffm\" is longer than 20 characters");
    EXPECT_EQ(Store(step, "turnoffm", "1#@#" + std::string(21, '9')),
              "DC value of \"turnoffm\" is longer than 20 characters");

    std::string error;
    EXPECT_TRUE(StoreStepValue(step, std::string(49, 'v'), error));
    EXPECT_FALSE(StoreStepValue(step, std::string(50, 'v'), error));
    EXPECT_EQ(error, "Value of \"value\" is longer than 49 characters");
    EXPECT_STREQ(step.CStepValue, "");
}

TEST(StepTags, OnlyNameAndDescriptionRecordAnInexactText) {
    PwrScheme step{};
    NoteTextExactness(step, *FindStepTag("schname"), false);
    NoteTextExactness(step, *FindStepTag("turnoffm"), false);
    NoteTextExactness(step, *FindStepTag("action"), false);
    EXPECT_TRUE(step.CSchNameInexact);
    EXPECT_FALSE(step.CSchDescInexact);
    NoteTextExactness(step, *FindStepTag("schdesc"), false);
    EXPECT_TRUE(step.CSchDescInexact);
    // A later element of the same tag decides.
    NoteTextExactness(step, *FindStepTag("SchName"), true);
    EXPECT_FALSE(step.CSchNameInexact);
}
