#include "power/setting_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "base/fixed_text.h"

namespace {

constexpr char kPlan[] = "11111111-2222-3333-4444-555555555555";

// Every AC and DC field of a request, filled with a code each row accepts.
PwrScheme FullRequest() {
    PwrScheme r{};
    r.CSchName = "Office";
    const struct {
        std::string* ac;
        std::string* dc;
        const char* acValue;
        const char* dcValue;
    } pairs[] = {
        {&r.CCritBatActAC, &r.CCritBatActDC, "5", "4"},
        {&r.CLowBatActAC, &r.CLowBatActDC, "1", "6"},
        {&r.CCritBatLevAC, &r.CCritBatLevDC, "5", "7"},
        {&r.CLowBatLevAC, &r.CLowBatLevDC, "10", "12"},
        {&r.CLowBatNotifAC, &r.CLowBatNotifDC, "1", "0"},
        {&r.CTurnOffMAC, &r.CTurnOffMDC, "600", "300"},
        {&r.CTurnOffHdAC, &r.CTurnOffHdDC, "1200", "600"},
        {&r.CTurnOffStndAC, &r.CTurnOffStndDC, "0", "900"},
        {&r.CTurnOffHibAC, &r.CTurnOffHibDC, "0", "3600"},
        {&r.CWirelessModeAC, &r.CWirelessModeDC, "1", "4"},
        {&r.CCloseLidAC, &r.CCloseLidDC, "1", "6"},
        {&r.CPowerBtnAC, &r.CPowerBtnDC, "5", "4"},
        {&r.CSleepBtnAC, &r.CSleepBtnDC, "6", "6"},
        {&r.CStartMenuAC, &r.CStartMenuDC, "5", "6"},
        {&r.CPciLinkStateAC, &r.CPciLinkStateDC, "0", "2"},
        {&r.CProcMinStateAC, &r.CProcMinStateDC, "5", "5"},
        {&r.CProcMaxStateAC, &r.CProcMaxStateDC, "100", "80"},
        {&r.CSysCoolingAC, &r.CSysCoolingDC, "1", "0"},
        {&r.CReqPwdAC, &r.CReqPwdDC, "1", "0"},
        {&r.CAllowHbridAC, &r.CAllowHbridDC, "0", "1"},
        {&r.CAllowWakeAC, &r.CAllowWakeDC, "1", ""},
        {&r.CSuspndSetAC, &r.CSuspndSetDC, "1", "1"},
    };
    for (const auto& p : pairs) {
        *p.ac = p.acValue;
        *p.dc = p.dcValue;
    }
    return r;
}

std::string Ac(const char* sub, const char* set, const char* value) {
    return std::string("POWERCFG -SETACVALUEINDEX \"") + kPlan + "\" \"" + sub + "\" \"" + set + "\" \"" + value + "\"";
}
std::string Dc(const char* sub, const char* set, const char* value) {
    return std::string("POWERCFG -SETDCVALUEINDEX \"") + kPlan + "\" \"" + sub + "\" \"" + set + "\" \"" + value + "\"";
}

const SettingRow& Row(const char* tag) {
    for (const SettingRow& row : kSettingRows)
        if (std::strcmp(row.tag->name, tag) == 0) return row;
    throw std::runtime_error(tag);
}

}  // namespace

TEST(SettingTable, FullRecordGivesFortyFourCommandsInTableOrder) {
    const auto plan = PlanSettingWrites(FullRequest(), kPlan, 3);
    const char* bat = "e73a048d-bf27-4f12-9731-8b2076e8891f";
    const char* sleep = "238c9fa8-0aad-41ed-83f4-97be242c8f20";
    const char* btn = "4f971e89-eebd-4455-a8de-9e59040e7347";
    const char* cpu = "54533251-82be-4824-96c1-47b60b740d00";
    const std::vector<std::string> expected = {
        Ac(bat, "637ea02f-bbcb-4015-8e2c-a1c7b9c0b546", "003"),
        Dc(bat, "637ea02f-bbcb-4015-8e2c-a1c7b9c0b546", "002"),
        Ac(bat, "d8742dcb-3e6a-4b3c-b3fe-374623cdcf06", "000"),
        Dc(bat, "d8742dcb-3e6a-4b3c-b3fe-374623cdcf06", "001"),
        Ac(bat, "9a66d8d7-4ff7-4ef9-b5a2-5a326ca2a469", "5"),
        Dc(bat, "9a66d8d7-4ff7-4ef9-b5a2-5a326ca2a469", "7"),
        Ac(bat, "8183ba9a-e910-48da-8769-14ae6dc1170a", "10"),
        Dc(bat, "8183ba9a-e910-48da-8769-14ae6dc1170a", "12"),
        Ac(bat, "bcded951-187b-4d05-bccc-f7e51960c258", "1"),
        Dc(bat, "bcded951-187b-4d05-bccc-f7e51960c258", "0"),
        Ac("7516b95f-f776-4464-8c53-06167f40cc99", "3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e", "600"),
        Dc("7516b95f-f776-4464-8c53-06167f40cc99", "3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e", "300"),
        Ac("0012ee47-9041-4b5d-9b77-535fba8b1442", "6738e2c4-e8a5-4a42-b16a-e040e769756e", "1200"),
        Dc("0012ee47-9041-4b5d-9b77-535fba8b1442", "6738e2c4-e8a5-4a42-b16a-e040e769756e", "600"),
        Ac(sleep, "29f6c1db-86da-48c5-9fdb-f2b67b1f44da", "0"),
        Dc(sleep, "29f6c1db-86da-48c5-9fdb-f2b67b1f44da", "900"),
        Ac(sleep, "9d7815a6-7ee4-497e-8888-515a05f02364", "0"),
        Dc(sleep, "9d7815a6-7ee4-497e-8888-515a05f02364", "3600"),
        Ac("19cbb8fa-5279-450e-9fac-8a3d5fedd0c1", "12bbebe6-58d6-4636-95bb-3217ef867c1a", "000"),
        Dc("19cbb8fa-5279-450e-9fac-8a3d5fedd0c1", "12bbebe6-58d6-4636-95bb-3217ef867c1a", "003"),
        Ac(btn, "5ca83367-6e45-459f-a27b-476b1d01c936", "000"),
        Dc(btn, "5ca83367-6e45-459f-a27b-476b1d01c936", "001"),
        Ac(btn, "7648efa3-dd9c-4e3e-b566-50f929386280", "003"),
        Dc(btn, "7648efa3-dd9c-4e3e-b566-50f929386280", "002"),
        Ac(btn, "96996bc0-ad50-47ec-923b-6f41874dd9eb", "001"),
        Dc(btn, "96996bc0-ad50-47ec-923b-6f41874dd9eb", "001"),
        Ac(btn, "a7066653-8d6c-40a8-910e-a1f54b84c7e5", "002"),
        Dc(btn, "a7066653-8d6c-40a8-910e-a1f54b84c7e5", "000"),
        Ac("501a4d13-42af-4429-9fd1-a8218c268e20", "ee12f906-d277-404b-b6da-e5fa1a576df5", "000"),
        Dc("501a4d13-42af-4429-9fd1-a8218c268e20", "ee12f906-d277-404b-b6da-e5fa1a576df5", "002"),
        Ac(cpu, "893dee8e-2bef-41e0-89c6-b55d0929964c", "5"),
        Dc(cpu, "893dee8e-2bef-41e0-89c6-b55d0929964c", "5"),
        Ac(cpu, "bc5038f7-23e0-4960-96da-33abaf5935ec", "100"),
        Dc(cpu, "bc5038f7-23e0-4960-96da-33abaf5935ec", "80"),
        Ac(cpu, "94d3a615-a899-4ac5-ae2b-e4d8f634367f", "001"),
        Dc(cpu, "94d3a615-a899-4ac5-ae2b-e4d8f634367f", "000"),
        Ac("fea3413e-7e05-4911-9a71-700331f1c294", "0e796bdb-100d-47d6-a2d5-f7d2daa51f51", "001"),
        Dc("fea3413e-7e05-4911-9a71-700331f1c294", "0e796bdb-100d-47d6-a2d5-f7d2daa51f51", "000"),
        Ac(sleep, "94ac6d29-73ce-41a6-809f-6363ba21b47e", "000"),
        Dc(sleep, "94ac6d29-73ce-41a6-809f-6363ba21b47e", "001"),
        Ac(sleep, "bd3b718a-0680-4d9d-8ab2-e1d2b4ac806d", "001"),
        Dc(sleep, "bd3b718a-0680-4d9d-8ab2-e1d2b4ac806d", "000"),
        Ac("2a737441-1930-4402-8d77-b2bebba308a3", "48e6b7a6-50f5-4782-a5d4-53bb8f07e226", "001"),
        Dc("2a737441-1930-4402-8d77-b2bebba308a3", "48e6b7a6-50f5-4782-a5d4-53bb8f07e226", "001"),
    };
    ASSERT_EQ(plan.size(), 44u);
    for (std::size_t i = 0; i < plan.size(); ++i) {
        EXPECT_EQ(plan[i].kind, PlannedWrite::Kind::Write) << i;
        EXPECT_EQ(plan[i].command, expected[i]) << "write " << i + 1;
    }

    // Labels, raw values and failure messages of a few writes, the DC writes
    // of the wireless and cooling rows keeping their AC label.
    EXPECT_EQ(plan[0].label, "Critical battery action AC");
    EXPECT_EQ(plan[0].rawValue, "5");
    EXPECT_STREQ(plan[0].failureMessage, "Failed to set Critical battery action on AC Power : ");
    EXPECT_EQ(plan[11].label, "Turn Off Monitor DC");
    EXPECT_STREQ(plan[11].failureMessage, "Failed to set value of Turn Off Monitor on DC Power : ");
    EXPECT_EQ(plan[19].label, "Wireless Adapter Power Saving Mode AC");
    EXPECT_EQ(plan[19].rawValue, "4");
    EXPECT_STREQ(plan[19].failureMessage, "Failed to set value of Wireless Adapter Power Saving Mode on DC Power : ");
    EXPECT_EQ(plan[35].label, "System cooling policy AC");
    EXPECT_STREQ(plan[35].failureMessage, "Failed to set value of System cooling policy on DC Power : ");
    EXPECT_EQ(plan[37].label, "Prompt for Password Dc");
    EXPECT_EQ(plan[41].rawValue, "");
    EXPECT_EQ(plan[43].label, "USB selective suspend setting DC");

    // Labels and messages are all distinct except the two deliberate repeats.
    std::set<std::string> labels, messages;
    for (const auto& w : plan) {
        labels.insert(w.label);
        messages.insert(w.failureMessage);
        const std::string m = w.failureMessage;
        EXPECT_EQ(m.substr(m.size() - 3), " : ");
    }
    EXPECT_EQ(labels.size(), 42u);
    EXPECT_EQ(messages.size(), 44u);
}

TEST(SettingTable, CoolingPairIsReplacedByOneNoticeWhereItDoesNotApply) {
    const PwrScheme request = FullRequest();
    for (int os : {2, 3, 4, 11}) EXPECT_EQ(PlanSettingWrites(request, kPlan, os).size(), 44u) << os;
    for (int os : {0, 1, 5, 12, 13, 21, 22, 31, 32, 99, -1}) {
        const auto plan = PlanSettingWrites(request, kPlan, os);
        ASSERT_EQ(plan.size(), 43u) << os;
        EXPECT_EQ(plan[33].label, "Maximum processor state Dc");
        EXPECT_EQ(plan[34].kind, PlannedWrite::Kind::NotSupportedNotice);
        EXPECT_TRUE(plan[34].command.empty());
        EXPECT_EQ(plan[35].label, "Prompt for Password Ac");
        int writes = 0;
        for (const auto& w : plan) {
            writes += w.kind == PlannedWrite::Kind::Write;
            EXPECT_EQ(w.command.find("94d3a615-a899-4ac5-ae2b-e4d8f634367f"), std::string::npos);
        }
        EXPECT_EQ(writes, 42);
    }
}

TEST(SettingTable, TranslationsAndYesNoRows) {
    const SettingRow& lowBat = Row("lowbatact");
    EXPECT_EQ(SettingValueText(lowBat, "1"), "000");
    EXPECT_EQ(SettingValueText(lowBat, "6"), "001");
    EXPECT_EQ(SettingValueText(lowBat, "4"), "002");
    EXPECT_EQ(SettingValueText(lowBat, "5"), "003");
    for (const char* nearMiss : {"06", " 6", "6 ", "sleep", "2", "", "001", "6\t"})
        EXPECT_EQ(SettingValueText(lowBat, nearMiss), "") << '[' << nearMiss << ']';

    const SettingRow& startMenu = Row("startmenu");
    EXPECT_EQ(SettingValueText(startMenu, "6"), "000");
    EXPECT_EQ(SettingValueText(startMenu, "4"), "001");
    EXPECT_EQ(SettingValueText(startMenu, "5"), "002");
    EXPECT_EQ(SettingValueText(startMenu, "1"), "");

    const SettingRow& wireless = Row("wirelessmode");
    EXPECT_EQ(SettingValueText(wireless, "2"), "001");
    EXPECT_EQ(SettingValueText(wireless, "3"), "002");
    EXPECT_EQ(SettingValueText(wireless, "0"), "");

    const SettingRow& link = Row("pcilinkstate");
    EXPECT_EQ(SettingValueText(link, "1"), "001");
    EXPECT_EQ(SettingValueText(link, "3"), "");

    const SettingRow& cooling = Row("syscooling");
    EXPECT_EQ(SettingValueText(cooling, "0"), "000");
    EXPECT_EQ(SettingValueText(cooling, "2"), "");

    // Direct rows pass the text on exactly, also when it is no number.
    const SettingRow& monitor = Row("turnoffm");
    EXPECT_EQ(SettingValueText(monitor, " 10 min"), " 10 min");
    EXPECT_EQ(SettingCommand(monitor, PowerSource::AC, kPlan, ""),
              Ac("7516b95f-f776-4464-8c53-06167f40cc99", "3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e", ""));

    // Yes/no: only exactly "1" gives "001".
    const SettingRow& reqPwd = Row("reqpwd");
    EXPECT_EQ(SettingValueText(reqPwd, "1"), "001");
    for (const char* other : {"0", "", "01", " 1", "1 ", "yes", "2"})
        EXPECT_EQ(SettingValueText(reqPwd, other), "000") << '[' << other << ']';

    // An empty record still plans every write: empty values and "000".
    const auto plan = PlanSettingWrites(PwrScheme{}, kPlan, 3);
    ASSERT_EQ(plan.size(), 44u);
    for (std::size_t i = 0; i < 36; ++i) EXPECT_EQ(plan[i].command.substr(plan[i].command.size() - 3), " \"\"") << i;
    for (std::size_t i = 36; i < 44; ++i)
        EXPECT_EQ(plan[i].command.substr(plan[i].command.size() - 6), " \"000\"") << i;
}

TEST(SettingTable, InsertedValuesCannotEndTheirArgumentEarly) {
    const SettingRow& monitor = Row("turnoffm");
    EXPECT_EQ(
        SettingCommand(monitor, PowerSource::DC, kPlan, "5\" \"x"),
        std::string("POWERCFG -SETDCVALUEINDEX \"") + kPlan +
            "\" \"7516b95f-f776-4464-8c53-06167f40cc99\" \"3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e\" \"5\\\" \\\"x\"");
    EXPECT_EQ(SettingCommand(monitor, PowerSource::AC, "g\\", "1"),
              "POWERCFG -SETACVALUEINDEX \"g\\\\\" \"7516b95f-f776-4464-8c53-06167f40cc99\" "
              "\"3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e\" \"1\"");
}

// A value that cannot become a valid index refuses the whole request, named by
// its element and power source; what POWERCFG takes passes, "0x" forms too.
TEST(SettingTable, ValuesThatCannotBecomeAValidCommandAreRefused) {
    auto check = [](auto field, const char* text, std::int32_t os = 3) {
        PwrScheme r = FullRequest();
        r.*field = text;
        return CheckSettingValues(r, os);
    };
    EXPECT_FALSE(CheckSettingValues(FullRequest(), 3));
    const SettingValueRefusal lowBat = check(&PwrScheme::CLowBatActDC, "9").value();
    EXPECT_EQ(lowBat.setting + "=" + lowBat.value, "lowbatact DC=9");
    EXPECT_EQ(lowBat.status,
              "Failed to set Low battery action on DC Power : Value \"9\" is not one of the codes 1, 6, "
              "4, 5 hence not processed");
    EXPECT_EQ(check(&PwrScheme::CTurnOffMAC, "+600")->status,
              "Failed to set value of Turn Off Monitor on AC Power : Value \"+600\" is not a number from 0 to "
              "4294967295 hence not processed");
    for (const char* bad : {"-1", "", " 10", "10 ", "1e3", "0x", "0x1G", "4294967296", "0x100000000"})
        EXPECT_TRUE(check(&PwrScheme::CTurnOffMDC, bad)) << '[' << bad << ']';
    for (const char* good : {"0", "4294967295", "0600", "0x258", "0XFFFFFFFF"})
        EXPECT_FALSE(check(&PwrScheme::CTurnOffMDC, good)) << '[' << good << ']';
    // Each direct row has its range; yes/no rows take any text; a row that
    // does not apply on this system is not written, so not checked.
    EXPECT_FALSE(check(&PwrScheme::CProcMaxStateAC, "100"));
    EXPECT_TRUE(check(&PwrScheme::CProcMaxStateAC, "101"));
    EXPECT_TRUE(check(&PwrScheme::CLowBatNotifAC, "2"));
    EXPECT_FALSE(check(&PwrScheme::CReqPwdAC, "yes"));
    EXPECT_TRUE(check(&PwrScheme::CSysCoolingDC, "2", 3));
    EXPECT_FALSE(check(&PwrScheme::CSysCoolingDC, "2", 31));
    // The first in command order is reported.
    EXPECT_EQ(CheckSettingValues(PwrScheme{}, 3)->setting, "critbatact AC");

    // A value that reached the record inexactly is refused whatever it reads
    // as, a yes/no value too; unless its row is not written here.
    PwrScheme inexact = FullRequest();
    inexact.CInexactValues = {&PwrScheme::CSysCoolingDC, &PwrScheme::CReqPwdAC};
    EXPECT_EQ(CheckSettingValues(inexact, 3)->status,
              "Failed to set value of System cooling policy on DC Power : Value \"" + inexact.CSysCoolingDC +
                  "\" holds characters that the system's code page cannot hold exactly hence not processed");
    EXPECT_EQ(CheckSettingValues(inexact, 31)->setting, "reqpwd AC");
}
