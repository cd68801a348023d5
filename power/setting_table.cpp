#include "power/setting_table.h"

#include <algorithm>
#include <iterator>

#include "base/command_quote.h"
#include "base/text.h"

namespace {

// Subgroups, in the order of first use.
constexpr char kBattery[] = "e73a048d-bf27-4f12-9731-8b2076e8891f";
constexpr char kDisplay[] = "7516b95f-f776-4464-8c53-06167f40cc99";
constexpr char kHardDisk[] = "0012ee47-9041-4b5d-9b77-535fba8b1442";
constexpr char kSleep[] = "238c9fa8-0aad-41ed-83f4-97be242c8f20";
constexpr char kWireless[] = "19cbb8fa-5279-450e-9fac-8a3d5fedd0c1";
constexpr char kButtonsAndLid[] = "4f971e89-eebd-4455-a8de-9e59040e7347";
constexpr char kPciExpress[] = "501a4d13-42af-4429-9fd1-a8218c268e20";
constexpr char kProcessor[] = "54533251-82be-4824-96c1-47b60b740d00";
constexpr char kNoSubgroup[] = "fea3413e-7e05-4911-9a71-700331f1c294";
constexpr char kUsb[] = "2a737441-1930-4402-8d77-b2bebba308a3";

// do nothing, sleep, hibernate, shut down
constexpr CodeValue kActionCodes[] = {{"1", "000"}, {"6", "001"}, {"4", "002"}, {"5", "003"}};
// sleep, hibernate, shut down
constexpr CodeValue kStartMenuCodes[] = {{"6", "000"}, {"4", "001"}, {"5", "002"}};
// maximum performance, low, medium and maximum power saving
constexpr CodeValue kWirelessCodes[] = {{"1", "000"}, {"2", "001"}, {"3", "002"}, {"4", "003"}};
// off, moderate and maximum power savings
constexpr CodeValue kLinkStateCodes[] = {{"0", "000"}, {"1", "001"}, {"2", "002"}};
// passive, active
constexpr CodeValue kCoolingCodes[] = {{"0", "000"}, {"1", "001"}};

constexpr Translation kAction{kActionCodes, std::size(kActionCodes)};
constexpr Translation kStartMenu{kStartMenuCodes, std::size(kStartMenuCodes)};
constexpr Translation kWirelessMode{kWirelessCodes, std::size(kWirelessCodes)};
constexpr Translation kLinkState{kLinkStateCodes, std::size(kLinkStateCodes)};
constexpr Translation kCooling{kCoolingCodes, std::size(kCoolingCodes)};

constexpr auto D = ValueForm::Direct;
constexpr auto T = ValueForm::Translated;
constexpr auto YN = ValueForm::YesNo;
constexpr auto ALL = RowCondition::Always;

// Highest indexes of the direct rows: a percentage, an on/off switch, and a
// timeout in seconds (any 32-bit value); unused for the other forms.
constexpr std::uint32_t PCT = 100;
constexpr std::uint32_t ON = 1;
constexpr std::uint32_t SEC = 0xFFFFFFFFu;
constexpr std::uint32_t NA = 0;

}  // namespace

// The order of the rows is the order of the commands.
// The table keeps its hand layout: one row per setting, in columns.
// clang-format off
const std::array<SettingRow, kSettingRowCount> kSettingRows = {{
    {&step_tag::CritBatAct, kBattery, "637ea02f-bbcb-4015-8e2c-a1c7b9c0b546",
     T, &kAction, NA, ALL, "Critical battery action AC", "Critical battery action DC",
     "Failed to set Critical battery action on AC Power : ",
     "Failed to set Critical battery action on DC Power : "},
    {&step_tag::LowBatAct, kBattery, "d8742dcb-3e6a-4b3c-b3fe-374623cdcf06",
     T, &kAction, NA, ALL, "Low battery action AC", "Low battery action DC",
     "Failed to set Low battery action on AC Power : ",
     "Failed to set Low battery action on DC Power : "},
    {&step_tag::CritBatLev, kBattery, "9a66d8d7-4ff7-4ef9-b5a2-5a326ca2a469",
     D, nullptr, PCT, ALL, "Critical Battery Level AC", "Critical Battery Level DC",
     "Failed to set Critical battery Level on AC Power : ",
     "Failed to set Critical battery Level on DC Power : "},
    {&step_tag::LowBatLev, kBattery, "8183ba9a-e910-48da-8769-14ae6dc1170a",
     D, nullptr, PCT, ALL, "Low Battery Level AC", "Low Battery Level DC",
     "Failed to set Low battery Level on AC Power : ",
     "Failed to set Low battery Level on DC Power : "},
    {&step_tag::LowBatNotif, kBattery, "bcded951-187b-4d05-bccc-f7e51960c258",
     D, nullptr, ON, ALL, "Low Battery Notification AC", "Low Battery Notification DC",
     "Failed to set Low battery Notification on AC Power : ",
     "Failed to set Low battery Notification on DC Power : "},
    {&step_tag::TurnOffM, kDisplay, "3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e",
     D, nullptr, SEC, ALL, "Turn Off Monitor AC", "Turn Off Monitor DC",
     "Failed to set value of Turn Off Monitor on AC Power : ",
     "Failed to set value of Turn Off Monitor on DC Power : "},
    {&step_tag::TurnOffHd, kHardDisk, "6738e2c4-e8a5-4a42-b16a-e040e769756e",
     D, nullptr, SEC, ALL, "Turn Off Hard Disk AC", "Turn Off Hard Disk DC",
     "Failed to set value of Turn Off Hard Disk on AC Power : ",
     "Failed to set value of Turn Off Hard Disk on DC Power : "},
    {&step_tag::TurnOffStnd, kSleep, "29f6c1db-86da-48c5-9fdb-f2b67b1f44da",
     D, nullptr, SEC, ALL, "System StandBy AC", "System StandBy DC",
     "Failed to set value of System StandBy on AC Power : ",
     "Failed to set value of System StandBy on DC Power : "},
    {&step_tag::TurnOffHib, kSleep, "9d7815a6-7ee4-497e-8888-515a05f02364",
     D, nullptr, SEC, ALL, "System Hibernate AC", "System Hibernate DC",
     "Failed to set value of System Hibernate on AC Power : ",
     "Failed to set value of System Hibernate on DC Power : "},
    // The DC write of this row is logged with the AC label.
    {&step_tag::WirelessMode, kWireless, "12bbebe6-58d6-4636-95bb-3217ef867c1a",
     T, &kWirelessMode, NA, ALL, "Wireless Adapter Power Saving Mode AC", "Wireless Adapter Power Saving Mode AC",
     "Failed to set value of Wireless Adapter Power Saving Mode on AC Power : ",
     "Failed to set value of Wireless Adapter Power Saving Mode on DC Power : "},
    {&step_tag::CloseLid, kButtonsAndLid, "5ca83367-6e45-459f-a27b-476b1d01c936",
     T, &kAction, NA, ALL, "Close Lid Ac", "Close Lid Dc",
     "Failed to set value of Lid close action on AC Power : ",
     "Failed to set value of Lid close action on DC Power : "},
    {&step_tag::PowerBtn, kButtonsAndLid, "7648efa3-dd9c-4e3e-b566-50f929386280",
     T, &kAction, NA, ALL, "Power Button Action Ac", "Power Button Action Dc",
     "Failed to set value of Power Button action on AC Power : ",
     "Failed to set value of Power Button action on DC Power : "},
    {&step_tag::SleepBtn, kButtonsAndLid, "96996bc0-ad50-47ec-923b-6f41874dd9eb",
     T, &kAction, NA, ALL, "Sleep button action Ac", "Sleep button action Dc",
     "Failed to set value of Sleep Button action on AC Power : ",
     "Failed to set value of Sleep Button action on DC Power : "},
    {&step_tag::StartMenu, kButtonsAndLid, "a7066653-8d6c-40a8-910e-a1f54b84c7e5",
     T, &kStartMenu, NA, ALL, "Start Menu Power button action Ac", "Start Menu Power button action Dc",
     "Failed to set value of Start Menu Power Button action on AC Power : ",
     "Failed to set value of Start Menu Power Button action on DC Power : "},
    {&step_tag::PciLinkState, kPciExpress, "ee12f906-d277-404b-b6da-e5fa1a576df5",
     T, &kLinkState, NA, ALL, "PCI Express Link State Power Management Ac", "PCI Express Link State Power Management Dc",
     "Failed to set value of PCI Express Link State Power Management on AC Power : ",
     "Failed to set value of PCI Express Link State Power Management on DC Power : "},
    {&step_tag::ProcMinState, kProcessor, "893dee8e-2bef-41e0-89c6-b55d0929964c",
     D, nullptr, PCT, ALL, "Minimum processor state Ac", "Minimum processor state Dc",
     "Failed to set value of Minimum processor state on AC Power : ",
     "Failed to set value of Minimum processor state on DC Power : "},
    {&step_tag::ProcMaxState, kProcessor, "bc5038f7-23e0-4960-96da-33abaf5935ec",
     D, nullptr, PCT, ALL, "Maximum processor state Ac", "Maximum processor state Dc",
     "Failed to set value of Maximum processor state on AC Power : ",
     "Failed to set value of Maximum processor state on DC Power : "},
    // Only where the policy exists; the DC write is logged with the AC label.
    {&step_tag::SysCooling, kProcessor, "94d3a615-a899-4ac5-ae2b-e4d8f634367f",
     T, &kCooling, NA, RowCondition::CoolingSystems, "System cooling policy AC", "System cooling policy AC",
     "Failed to set value of System cooling policy on AC Power : ",
     "Failed to set value of System cooling policy on DC Power : "},
    {&step_tag::ReqPwd, kNoSubgroup, "0e796bdb-100d-47d6-a2d5-f7d2daa51f51",
     YN, nullptr, NA, ALL, "Prompt for Password Ac", "Prompt for Password Dc",
     "Failed to set value of Require a password on wakeup on AC Power : ",
     "Failed to set value of Require a password on wakeup on DC Power : "},
    {&step_tag::AllowHbrid, kSleep, "94ac6d29-73ce-41a6-809f-6363ba21b47e",
     YN, nullptr, NA, ALL, "Allow hybrid sleep AC", "Allow hybrid sleep DC",
     "Failed to set value of Allow hybrid sleep on AC Power : ",
     "Failed to set value of Allow hybrid sleep on DC Power : "},
    {&step_tag::AllowWake, kSleep, "bd3b718a-0680-4d9d-8ab2-e1d2b4ac806d",
     YN, nullptr, NA, ALL, "Allow wake timers AC", "Allow wake timers DC",
     "Failed to set value of Allow wake timers on AC Power : ",
     "Failed to set value of Allow wake timers on DC Power : "},
    {&step_tag::SuspndSet, kUsb, "48e6b7a6-50f5-4782-a5d4-53bb8f07e226",
     YN, nullptr, NA, ALL, "USB selective suspend setting AC", "USB selective suspend setting DC",
     "Failed to set value of USB selective suspend setting on AC Power : ",
     "Failed to set value of USB selective suspend setting on DC Power : "},
}};
// clang-format on

std::string_view SettingText(const SettingRow& row, PowerSource source, const PwrScheme& request) {
    return request.*(source == PowerSource::AC ? row.tag->ac : row.tag->dc).text;
}

bool OptionIsOn(std::string_view text) { return EqualsNoCaseAscii(text, "1"); }

std::string TranslateCode(const Translation& translation, std::string_view code) {
    for (std::size_t i = 0; i < translation.count; ++i)
        if (EqualsNoCaseAscii(code, translation.entries[i].code)) return translation.entries[i].value;
    return {};
}

bool CoolingPolicyApplies(std::int32_t osCode) { return osCode == 2 || osCode == 3 || osCode == 4 || osCode == 11; }

std::string SettingValueText(const SettingRow& row, std::string_view recordText) {
    switch (row.form) {
        case ValueForm::Translated:
            return TranslateCode(*row.translation, recordText);
        case ValueForm::YesNo:
            return OptionIsOn(recordText) ? "001" : "000";
        case ValueForm::Direct:
            break;
    }
    return std::string(recordText);
}

std::string SettingCommand(const SettingRow& row, PowerSource source, std::string_view planGuid,
                           std::string_view recordText) {
    std::string command = source == PowerSource::AC ? "POWERCFG -SETACVALUEINDEX " : "POWERCFG -SETDCVALUEINDEX ";
    command += QuoteArgument(planGuid);
    command += " \"";
    command += row.subgroupGuid;
    command += "\" \"";
    command += row.settingGuid;
    command += "\" ";
    command += QuoteArgument(SettingValueText(row, recordText));
    return command;
}

std::vector<PlannedWrite> PlanSettingWrites(const PwrScheme& request, std::string_view planGuid, std::int32_t osCode) {
    std::vector<PlannedWrite> plan;
    plan.reserve(2 * kSettingRowCount);
    for (const SettingRow& row : kSettingRows) {
        if (row.condition == RowCondition::CoolingSystems && !CoolingPolicyApplies(osCode)) {
            PlannedWrite notice;
            notice.kind = PlannedWrite::Kind::NotSupportedNotice;
            plan.push_back(std::move(notice));
            continue;
        }
        for (PowerSource source : {PowerSource::AC, PowerSource::DC}) {
            const bool ac = source == PowerSource::AC;
            const std::string_view raw = SettingText(row, source, request);
            PlannedWrite write;
            write.label = ac ? row.acLabel : row.dcLabel;
            write.rawValue = std::string(raw);
            write.command = SettingCommand(row, source, planGuid, raw);
            write.failureMessage = ac ? row.acFailureMessage : row.dcFailureMessage;
            plan.push_back(std::move(write));
        }
    }
    return plan;
}

std::optional<std::uint64_t> IndexNumber(std::string_view text) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    return value;
}

namespace {

// A value that the ANSI code page could not hold exactly reached the record
// as another text: whatever it would now read as, the job did not write it.
constexpr char kNotInCodePage[] = "holds characters that the system's code page cannot hold exactly";

bool IsInexact(const PwrScheme& request, const SettingRow& row, PowerSource source) {
    const auto text = source == PowerSource::AC ? row.tag->ac.text : row.tag->dc.text;
    const auto& inexact = request.CInexactValues;
    return std::find(inexact.begin(), inexact.end(), text) != inexact.end();
}

// Why the record text cannot become the row's index, or the empty text when it can.
std::string ValueFault(const SettingRow& row, std::string_view recordText) {
    switch (row.form) {
        case ValueForm::Translated: {
            if (!TranslateCode(*row.translation, recordText).empty()) return {};
            std::string codes;
            for (std::size_t i = 0; i < row.translation->count; ++i)
                codes += (i == 0 ? "" : ", ") + std::string(row.translation->entries[i].code);
            return "is not one of the codes " + codes;
        }
        case ValueForm::Direct: {
            const std::optional<std::uint64_t> index = IndexNumber(recordText);
            if (index && *index <= row.directMax) return {};
            return "is not a number from 0 to " + std::to_string(row.directMax);
        }
        case ValueForm::YesNo:
            break;  // every text is a choice: "1" or anything else
    }
    return {};
}

}  // namespace

std::optional<SettingValueRefusal> CheckSettingValues(const PwrScheme& request, std::int32_t osCode) {
    for (const SettingRow& row : kSettingRows) {
        if (row.condition == RowCondition::CoolingSystems && !CoolingPolicyApplies(osCode)) continue;
        for (PowerSource source : {PowerSource::AC, PowerSource::DC}) {
            const bool ac = source == PowerSource::AC;
            const std::string_view raw = SettingText(row, source, request);
            const std::string fault = IsInexact(request, row, source) ? kNotInCodePage : ValueFault(row, raw);
            if (fault.empty()) continue;
            SettingValueRefusal refusal;
            refusal.setting = std::string(row.tag->name) + (ac ? " AC" : " DC");
            refusal.value = std::string(raw);
            refusal.status = std::string(ac ? row.acFailureMessage : row.dcFailureMessage) + "Value \"" +
                             refusal.value + "\" " + fault + " hence not processed";
            return refusal;
        }
    }
    return std::nullopt;
}
