#include "report/status_post.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/fixed_text.h"
#include "report/log_writer.h"
#include "report/reporter.h"
#include "report/saved_record.h"
#include "report/status_record.h"
#include "tests/win/report_test_support.h"
#include "tests/win/temp_folder.h"

namespace {
constexpr char kQuery[] = "/tfr_wpdcmscriptjobinstancestatus.asp?mmid=M77&sid=S9&rid=123456&rty=T1";
constexpr char kConfigured[] = "http://configured.example/status";

std::string PostLogFolder(const TempFolder& temp) { return temp.path() + "\\DorvikPostLogs"; }

// The record CreateWebPost builds for the sample run.
std::string SampleRecord(bool succeeded, const std::string& description) {
    StatusRecordValues v;
    v.regid = "123456";
    v.scriptJobId = "88";
    v.isRealTime = "1";
    v.scriptId = "93";
    v.jobId = "4711";
    v.instanceId = "I-5";
    v.succeeded = succeeded;
    v.description = description;
    v.executionTime = "12/08/2026 10:30:45";
    return BuildStatusRecord(v);
}

class StatusPost : public ::testing::Test {
protected:
    void TearDown() override { ClearLogDestination(); }
    // The sample run posting to `url` through `relay`.
    StatusPostRun Post(WebPostDataProc relay, std::string_view url = kConfigured) const {
        return {sample.agent, sample.args, url, relay};
    }
    TempFolder temp;
    SampleRun sample = FillSampleRun(temp.path());
};
}  // namespace

TEST_F(StatusPost, ReadStatusUrlFromTheAgentsIniFile) {
    EXPECT_EQ(ReadStatusUrl(temp.path()), "");
    EXPECT_EQ(CountOf(ReadRunLog(temp.path()), "\tPathwellINI\tERROR\tURL Link not Found\t\t\r\n"), 1);

    CreateDirectoryA((temp.path() + "\\Configuration").c_str(), nullptr);
    temp.WriteFile("Configuration\\Pathwell.ini",
                   "[other]\r\nURL=http://wrong\r\n[wpdcmscriptjobinstancestatus]\r\nURL=http://srv/app\r\n");
    EXPECT_EQ(ReadStatusUrl(temp.path()), "http://srv/app");
    EXPECT_EQ(CountOf(ReadRunLog(temp.path()), "\tPathwellINI\tINFO\tURL Name is \thttp://srv/app\t\r\n"), 1);

    // A value that does not fit is refused whole rather than cut.
    temp.WriteFile("Configuration\\Pathwell.ini",
                   "[wpdcmscriptjobinstancestatus]\r\nURL=http://srv/" + std::string(300, 'a') + "\r\n");
    EXPECT_EQ(ReadStatusUrl(temp.path()), "");
    EXPECT_EQ(CountOf(ReadRunLog(temp.path()), "\tPathwellINI\tERROR\tURL Link Too Long\t"), 1);
}

TEST_F(StatusPost, ConfiguredUrlDeliversWithTheDescribedArguments) {
    RelayDoubleBinding relay(temp.path());
    ASSERT_TRUE(relay.loaded());
    relay.Script("1\n");

    EXPECT_TRUE(CreateWebPost(Post(relay.entry()), Outcome::Done()));

    const std::vector<RelayCall> calls = relay.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].texts[0], std::string(kConfigured) + kQuery);
    EXPECT_EQ(calls[0].texts[1], SampleRecord(true, ""));  // a success carries no description
    EXPECT_EQ(calls[0].texts[2], "N");
    for (int i = 3; i < 7; ++i) EXPECT_EQ(calls[0].texts[i], "") << "argument " << i + 1;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(calls[0].outTypesOnEntry[i], VT_EMPTY) << "out value " << i + 8;

    EXPECT_TRUE(FileNamesIn(PostLogFolder(temp)).empty());
    const std::string log = ReadRunLog(temp.path());
    EXPECT_EQ(CountOf(log, "\t1.0\tCREATEWEBPOST\tTrying To Send The Following status For WebPost\t"), 1);
    EXPECT_EQ(CountOf(log, "\t1.0\tCREATEWEBPOST\tInfo\tSuccess Webpost Return Status\t1\r\n"), 1);
    EXPECT_EQ(CountOf(log, "Failed To Send the Webpost"), 0);
}

TEST_F(StatusPost, DefaultServerFollowsWhenTheConfiguredOneFails) {
    RelayDoubleBinding relay(temp.path());
    relay.Script("0\n1\n");

    EXPECT_TRUE(CreateWebPost(Post(relay.entry()), Outcome::Failed("")));

    const std::vector<RelayCall> calls = relay.Calls();
    ASSERT_EQ(calls.size(), 2u);
    const std::string& defaultUrl = calls[1].texts[0];
    EXPECT_EQ(defaultUrl.rfind("https://", 0), 0u) << defaultUrl;
    EXPECT_EQ(defaultUrl.find(kQuery), defaultUrl.size() - std::string(kQuery).size()) << defaultUrl;
    EXPECT_NE(defaultUrl, calls[0].texts[0]);
    EXPECT_EQ(calls[1].texts[1], calls[0].texts[1]);
    EXPECT_TRUE(FileNamesIn(PostLogFolder(temp)).empty());
    EXPECT_EQ(
        CountOf(ReadRunLog(temp.path()), "\tInfo\tFailed To Send the Webpost\t" + std::string(kConfigured) + kQuery),
        1);
}

TEST_F(StatusPost, BothServersFailSoTheRecordIsSavedOnce) {
    RelayDoubleBinding relay(temp.path());
    relay.Script("0\n0\n");
    const std::string description = "Failed to set power scheme as active : Access is denied.\r\n";

    EXPECT_TRUE(CreateWebPost(Post(relay.entry()), Outcome::Failed(description)));

    EXPECT_EQ(relay.Calls().size(), 2u);
    const std::vector<std::string> files = FileNamesIn(PostLogFolder(temp));
    ASSERT_EQ(files.size(), 1u);
    const std::string prefix = "wpdcmscriptjobinstancestatus_N_123456_PER_";
    EXPECT_EQ(files[0].rfind(prefix, 0), 0u) << files[0];
    EXPECT_EQ(files[0].size(), prefix.size() + 17 + 4) << files[0];
    EXPECT_EQ(files[0].substr(files[0].size() - 4), ".xml");
    EXPECT_EQ(files[0].find_first_not_of("0123456789", prefix.size()), files[0].size() - 4) << files[0];

    const std::string saved = ReadWholeFile(PostLogFolder(temp) + "\\" + files[0]);
    EXPECT_EQ(saved, WithCrLf(SampleRecord(false, description)));

    const std::string log = ReadRunLog(temp.path());
    EXPECT_EQ(CountOf(log, "\tInfo\tFailed To Send the Webpost\t"), 2);
    EXPECT_EQ(CountOf(log, "\tSendWebpost\tINFO\tCreated File \t" + PostLogFolder(temp) + "\\" + files[0]), 1);
    EXPECT_EQ(CountOf(log, "Failed To Send to the Dorvik Folder"), 0);
}

TEST_F(StatusPost, OnlyTheResultStringOneCountsAsDelivered) {
    RelayDoubleBinding relay(temp.path());
    const std::string url = std::string(kConfigured) + kQuery;
    const std::string record = SampleRecord(true, "");
    for (const char* answer :
         {"0", "yes", "", "10", "nostring", "error", "error+1", "crash", "endthread", "badtype", "longerror"}) {
        const std::size_t before = relay.Calls().size();
        // The double answers the call by its position in the script: keep it first.
        relay.Script(std::string(before, '\n') + answer + "\n");
        EXPECT_FALSE(TryWebPost(relay.entry(), url, record)) << "answer \"" << answer << "\"";
        EXPECT_EQ(relay.Calls().size(), before + 1);
    }
    relay.Script(std::string(relay.Calls().size(), '\n') + "1\n");
    EXPECT_TRUE(TryWebPost(relay.entry(), url, record));

    const std::string log = ReadRunLog(temp.path());
    EXPECT_EQ(CountOf(log, "\t1.0\tCREATEWEBPOST\tERROR Using WebPost Dll Failed\t12029\trelay double error\r\n"), 2);
    EXPECT_EQ(CountOf(log, "\t1.0\tCREATEWEBPOST\tERROR Using WebPost Dll Failed\t\t\r\n"), 6);
    EXPECT_EQ(CountOf(log, "\tERROR Using WebPost Dll Failed\t12029\t" + std::string(1024, 'e') +
                               " [cut, 100000 characters in all]\r\n"),
              1);
    EXPECT_EQ(CountOf(log, "\tERROR\tWebPost Dll Call Ended Without Returning\tThread Exit Code 0x00000000\r\n"), 1);
    EXPECT_EQ(CountOf(log, "\t1.0\tCREATEWEBPOST\tERROR\tWebPost Dll Crashed\tException 0xC0000005\r\n"), 1);
}

TEST_F(StatusPost, UnusualStartingPoints) {
    // No configured base URL: the first attempt goes to the bare path.
    {
        RelayDoubleBinding relay(temp.path());
        relay.Script("0\n1\n");
        EXPECT_TRUE(CreateWebPost(Post(relay.entry(), ""), Outcome::Done()));
        const std::vector<RelayCall> calls = relay.Calls();
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[0].texts[0], kQuery);
    }
    // No relay bound: both attempts fail at once and the record is saved.
    EXPECT_TRUE(CreateWebPost(Post(nullptr), Outcome::Done()));
    EXPECT_EQ(FileNamesIn(PostLogFolder(temp)).size(), 1u);
}

TEST_F(StatusPost, OversizedTextsAreNeverCutOrPosted) {
    RelayDoubleBinding relay(temp.path());
    relay.Script("1\n1\n1\n");
    // Long values make a record beyond what the relay takes.
    const std::string description(1000, 'd');
    ASSERT_TRUE(StoreText(sample.args.JobId, std::string(500, 'j')));
    ASSERT_TRUE(StoreText(sample.args.ScriptId, std::string(500, 's')));
    ASSERT_TRUE(StoreText(sample.args.IsRealTimeS, std::string(500, 'r')));
    ASSERT_TRUE(StoreText(sample.args.ExecutionTime, std::string(500, 't')));

    EXPECT_TRUE(CreateWebPost(Post(relay.entry()), Outcome::Failed(description)));

    EXPECT_TRUE(relay.Calls().empty());
    const std::vector<std::string> files = FileNamesIn(PostLogFolder(temp));
    ASSERT_EQ(files.size(), 1u);
    const std::string saved = ReadWholeFile(PostLogFolder(temp) + "\\" + files[0]);
    EXPECT_GT(saved.size(), kMaxStatusRecordLength);
    EXPECT_NE(saved.find("<![CDATA[" + description + "]]>"), std::string::npos);
    EXPECT_EQ(CountOf(ReadRunLog(temp.path()), "\tERROR\tStatus Record Too Long\t"), 2);

    EXPECT_FALSE(TryWebPost(relay.entry(), "http://h/" + std::string(kMaxStatusUrlLength, 'u'), "<r/>"));
    EXPECT_TRUE(relay.Calls().empty());
    EXPECT_EQ(CountOf(ReadRunLog(temp.path()), "\tERROR\tStatus URL Too Long\t"), 1);
}

TEST_F(StatusPost, PostLogFolderThatCannotBeWritten) {
    // A file stands where the post-log folder should be.
    temp.WriteFile("DorvikPostLogs", "in the way");
    EXPECT_FALSE(CreateWebPost(Post(nullptr), Outcome::Done()));
    const std::string log = ReadRunLog(temp.path());
    EXPECT_EQ(CountOf(log, "\tSendWebpost\tERROR\tCreating File Failed\t" + PostLogFolder(temp) + "\\"), 1);
    EXPECT_EQ(CountOf(log, "\tInfo\tFailed To Send to the Dorvik Folder\twpdcmscriptjobinstancestatus_N_123456_PER_"),
              1);
}

// A record never takes another's name: a taken name moves it to the next
// free millisecond, across the year's end too. After a delivery only the
// file this run made goes, never one that has taken its name since.
TEST_F(StatusPost, SavedRecordsKeepNamesOfTheirOwnAndRemoveOnlyTheirOwn) {
    const RecordTime last{2026, 12, 31, 23, 59, 59, 999};
    OwnFile first, second;
    ASSERT_TRUE(SaveRecordUnderFreeName(temp.path(), "1", last, "a", first));
    ASSERT_TRUE(SaveRecordUnderFreeName(temp.path(), "1", last, "b", second));
    const std::string folder = PostLogFolder(temp) + "\\wpdcmscriptjobinstancestatus_N_1_PER_";
    EXPECT_EQ(first.path, folder + "20261231235959999.xml");
    EXPECT_EQ(second.path, folder + "20270101000000000.xml");
    EXPECT_EQ(ReadWholeFile(first.path), "a");
    EXPECT_EQ(ReadWholeFile(second.path), "b");

    // The agent took the first record away, and another run's took its name.
    ASSERT_TRUE(MoveFileA(first.path.c_str(), (PostLogFolder(temp) + "\\taken").c_str()));
    ASSERT_TRUE(WriteFileBytes(first.path, "another run's"));
    EXPECT_TRUE(RemoveOwnFile(first));
    EXPECT_EQ(ReadWholeFile(first.path), "another run's");
    EXPECT_EQ(ReadWholeFile(PostLogFolder(temp) + "\\taken"), "a");
    EXPECT_TRUE(RemoveOwnFile(second));
    EXPECT_EQ(GetFileAttributesA(second.path.c_str()), INVALID_FILE_ATTRIBUTES);
}
