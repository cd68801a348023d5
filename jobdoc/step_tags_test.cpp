#include "jobdoc/step_tags.h"

#include <gtest/gtest.h>

#include <vector>
#include <algorithm>
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
    std::vector<std::string PwrScheme::*> texts;
    const auto addOnce = [&](std::string PwrScheme::*text, const char* tag) {
        EXPECT_EQ(std::count(texts.begin(), texts.end(), text), 0) << tag;
        texts.push_back(text);
    };
    for (const char* tag : tags) {
        const StepTag* row = FindStepTag(tag);
        ASSERT_NE(row, nullptr) << tag;
        addOnce(row->ac.text, tag);
        if (row->dc.text) addOnce(row->dc.text, tag);
    }
    // Every text of the record but the step's "value" attribute has its tag.
    EXPECT_EQ(texts.size(), 52u);

    EXPECT_EQ(FindStepTag("TurnOffM"), FindStepTag("turnoffm"));
    EXPECT_EQ(FindStepTag("SCHNAME"), FindStepTag("schname"));
    EXPECT_EQ(FindStepTag("turnoff"), nullptr);
    EXPECT_EQ(FindStepTag("turnoffmx"), nullptr);
    EXPECT_EQ(FindStepTag(""), nullptr);

    PwrScheme step{};
    EXPECT_EQ(Store(step, "lowbatact", "2#@#3"), "");
    EXPECT_EQ(step.CLowBatActAC, "2");
    EXPECT_EQ(step.CLowBatActDC, "3");
    EXPECT_EQ(step.CCritBatActAC, "");
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
    EXPECT_EQ(step.CTurnOffMAC, "7");
    EXPECT_EQ(step.CTurnOffMDC, "");
}

TEST(StepTags, ValuesThatDoNotFitAreRefusedWithTheirLimit) {
    PwrScheme step{};
    EXPECT_EQ(Store(step, "schname", std::string(49, 'n')), "");
    EXPECT_EQ(step.CSchName.size(), 49u);
    EXPECT_EQ(Store(step, "schname", std::string(50, 'n')), "Value of \"schname\" is longer than 49 characters");
    EXPECT_EQ(step.CSchName, "");

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
    EXPECT_EQ(step.CStepValue, "");
}

TEST(StepTags, NameDescriptionAndSettingValuesRecordAnInexactText) {
    PwrScheme step{};
    NoteTextExactness(step, *FindStepTag("schname"), false);
    NoteTextExactness(step, *FindStepTag("turnoffm"), true, false);
    NoteTextExactness(step, *FindStepTag("action"), false);
    EXPECT_TRUE(step.CSchNameInexact);
    EXPECT_FALSE(step.CSchDescInexact);
    using Texts = std::vector<std::string PwrScheme::*>;
    EXPECT_EQ(step.CInexactValues, Texts{&PwrScheme::CTurnOffMDC});
    NoteTextExactness(step, *FindStepTag("schdesc"), false);
    EXPECT_TRUE(step.CSchDescInexact);
    // A later element of the same tag decides.
    NoteTextExactness(step, *FindStepTag("SchName"), true);
    EXPECT_FALSE(step.CSchNameInexact);
    NoteTextExactness(step, *FindStepTag("turnoffm"), false, true);
    EXPECT_EQ(step.CInexactValues, Texts{&PwrScheme::CTurnOffMAC});
}
