#include "report/status_record.h"

#include <gtest/gtest.h>

namespace {
StatusRecordValues SampleValues() {
    StatusRecordValues v;
    v.regid = "123456";
    v.scriptJobId = "88";
    v.isRealTime = "1";
    v.scriptId = "93";
    v.jobId = "4711";
    v.instanceId = "I-5";
    v.executionTime = "12/08/2026 10:30:45";
    return v;
}

std::string ExpectedRecord(const std::string& status, const std::string& cdata, const std::string& regid = "123456") {
    return "<wpdcmscriptjobinstancestatus>\n\t<batchid>0</batchid>\n\t<regid>" + regid +
           "</regid>\n\t<inid>88</inid>\n\t<inisrealtime>1</inisrealtime> \n\t<scriptid>93</scriptid> \n\t"
           "<jobid>4711</jobid>\n\t<instanceid>I-5</instanceid> \n\t<status>" +
           status + "</status> \n\t<desc><![CDATA[" + cdata +
           "]]></desc>\n\t<inexecstatusdate>12/08/2026 10:30:45</inexecstatusdate> \n\t<inmenuid>0</inmenuid> "
           "\n\t<intemplateid>0</intemplateid> \n\t</wpdcmscriptjobinstancestatus>";
}
}  // namespace

TEST(StatusRecord, SuccessAndFailureRecordsByteForByte) {
    StatusRecordValues success = SampleValues();
    success.succeeded = true;
    EXPECT_EQ(BuildStatusRecord(success), ExpectedRecord("Success", ""));

    StatusRecordValues failure = SampleValues();
    failure.description = "Failed to set power scheme as active : Access is denied.\r\n";
    EXPECT_EQ(BuildStatusRecord(failure),
              ExpectedRecord("Fail", "Failed to set power scheme as active : Access is denied.\r\n"));
}

TEST(StatusRecord, MarkupCharactersAreEscaped) {
    StatusRecordValues v = SampleValues();
    v.regid = "a<b>&c";
    v.description = "x < y & z ]]> end]]>";
    EXPECT_EQ(BuildStatusRecord(v),
              ExpectedRecord("Fail", "x < y & z ]]]]><![CDATA[> end]]]]><![CDATA[>", "a&lt;b&gt;&amp;c"));
    // Element texts of every field are escaped, not only the first.
    v = SampleValues();
    v.executionTime = "<t>";
    EXPECT_NE(BuildStatusRecord(v).find("<inexecstatusdate>&lt;t&gt;</inexecstatusdate>"), std::string::npos);
}

TEST(StatusRecord, UrlsAndSavedRecordName) {
    EXPECT_EQ(StatusPostUrl("http://srv/app", "M77", "S9", "123456", "T1"),
              "http://srv/app/tfr_wpdcmscriptjobinstancestatus.asp?mmid=M77&sid=S9&rid=123456&rty=T1");
    // No configured base: the URL starts with the path itself.
    EXPECT_EQ(StatusPostUrl("", "M77", "S9", "123456", ""),
              "/tfr_wpdcmscriptjobinstancestatus.asp?mmid=M77&sid=S9&rid=123456&rty=");

    EXPECT_EQ(SavedRecordName("123456", {2026, 12, 8, 10, 30, 45, 123}),
              "wpdcmscriptjobinstancestatus_N_123456_PER_20261208103045123");
    EXPECT_EQ(SavedRecordName("1", {2026, 1, 2, 3, 4, 5, 6}), "wpdcmscriptjobinstancestatus_N_1_PER_20260102030405006");

    EXPECT_EQ(WithCrLf("a\nb\n\nc"), "a\r\nb\r\n\r\nc");
    EXPECT_EQ(WithCrLf("no breaks"), "no breaks");
}

TEST(StatusRecord, StatusFileNameAndContent) {
    EXPECT_EQ(StatusFileName("OD", "4711", "93", "123456", "12/08/2026 10:30:45"),
              "status_OD_4711_93_123456_12082026103045.txt");
    EXPECT_EQ(StatusFileKind("ODTemplate"), "Template");
    EXPECT_EQ(StatusFileKind("xTEMPLATEx"), "Template");
    EXPECT_EQ(StatusFileKind("template"), "Template");
    EXPECT_EQ(StatusFileKind("PlanOD"), "OD");
    EXPECT_EQ(StatusFileKind("Templat"), "OD");
    EXPECT_EQ(StatusFileKind(""), "OD");

    EXPECT_EQ(CompactExecutionTime(" 12//08/2026  10:30:45 "), "12082026103045");
    EXPECT_EQ(StatusFileName("OD", "1", "2", "3", ""), "status_OD_1_2_3_.txt");
    EXPECT_EQ(StatusFileName("xTemplate", "1", "2", "3", " /: "), "status_Template_1_2_3_.txt");

    EXPECT_EQ(StatusFileContent(true, "ignored"), "SUCCESS@#@");
    EXPECT_EQ(StatusFileContent(false, "Reason\r\n"), "FAILED@#@Reason\r\n");
    EXPECT_EQ(StatusFileContent(false, ""), "FAILED@#@");
}

TEST(StatusRecord, ControlCharactersNeverReachTheRecord) {
    const std::string regid(
        "12\x01"
        "34\x1f",
        6),
        description(
            "a\x00"
            "b\x0b\tc\r\n",
            8);
    StatusRecordValues v = SampleValues();
    v.regid = regid;
    v.description = description;
    EXPECT_EQ(BuildStatusRecord(v), ExpectedRecord("Fail", "a?b?\tc\r\n", "12?34?"));
}

TEST(StatusRecord, FileNamesStayInsideTheirFolder) {
    EXPECT_EQ(SavedRecordName("..\\..\\x/y:z", {2026, 1, 2, 3, 4, 5, 6}),
              "wpdcmscriptjobinstancestatus_N_.._.._x_y_z_PER_20260102030405006");
    EXPECT_EQ(StatusFileName("OD", "<4|7>", "\"9*3?\"", "a\tb", "12/08/2026 10:30:45\\.."),
              "status_OD__4_7___9_3___a_b_12082026103045_...txt");

    LeadBytes cp932;
    cp932.Add(0x81, 0x9F);
    cp932.Add(0xE0, 0xFC);
    EXPECT_EQ(SavedRecordName("\x95\x5C|", {2026, 1, 2, 3, 4, 5, 6}, cp932),
              "wpdcmscriptjobinstancestatus_N_\x95\x5C__PER_20260102030405006");
    EXPECT_EQ(StatusFileName("\x81Template", "\x8F\x7C", "\x8F\x5C\\", "r", "t", cp932),
              "status_OD_\x8F\x7C_\x8F\x5C__r_t.txt");
}

TEST(StatusRecord, UrlQueryValuesArePercentEncoded) {
    EXPECT_EQ(StatusPostUrl("http://srv", "M77&rid=999", "S 9", "a-b.c_d~e", "T/1#\xE9"),
              "http://srv/tfr_wpdcmscriptjobinstancestatus.asp?mmid=M77%26rid%3D999&sid=S%209&rid=a-b.c_d~e"
              "&rty=T%2F1%23%E9");
}
