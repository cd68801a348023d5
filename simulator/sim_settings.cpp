#include "simulator/sim_settings.h"

#include "base/text.h"

namespace {
constexpr const char* kActionNames[] = {"Do nothing", "Sleep", "Hibernate", "Shut down"};
constexpr const char* kStartMenuNames[] = {"Sleep", "Hibernate", "Shut down"};
constexpr const char* kWirelessNames[] = {"Maximum Performance", "Low Power Saving", "Medium Power Saving",
                                          "Maximum Power Saving"};
constexpr const char* kLinkStateNames[] = {"Off", "Moderate power savings", "Maximum power savings"};
constexpr const char* kCoolingNames[] = {"Passive", "Active"};
constexpr const char* kOnOffNames[] = {"Off", "On"};

constexpr SimSettingKind kPercent{100, "Percent", nullptr};
constexpr SimSettingKind kSeconds{4294967295u, "Seconds", nullptr};
constexpr SimSettingKind kAction{3, nullptr, kActionNames};
constexpr SimSettingKind kStartMenu{2, nullptr, kStartMenuNames};
constexpr SimSettingKind kWireless{3, nullptr, kWirelessNames};
constexpr SimSettingKind kLinkState{2, nullptr, kLinkStateNames};
constexpr SimSettingKind kCooling{1, nullptr, kCoolingNames};
constexpr SimSettingKind kOnOff{1, nullptr, kOnOffNames};

constexpr const char* kBattery = "e73a048d-bf27-4f12-9731-8b2076e8891f";
constexpr const char* kDisplay = "7516b95f-f776-4464-8c53-06167f40cc99";
constexpr const char* kDisk = "0012ee47-9041-4b5d-9b77-535fba8b1442";
constexpr const char* kSleep = "238c9fa8-0aad-41ed-83f4-97be242c8f20";
constexpr const char* kWirelessGroup = "19cbb8fa-5279-450e-9fac-8a3d5fedd0c1";
constexpr const char* kButtons = "4f971e89-eebd-4455-a8de-9e59040e7347";
constexpr const char* kPciExpress = "501a4d13-42af-4429-9fd1-a8218c268e20";
constexpr const char* kProcessor = "54533251-82be-4824-96c1-47b60b740d00";
constexpr const char* kNoSubgroup = "fea3413e-7e05-4911-9a71-700331f1c294";
constexpr const char* kUsb = "2a737441-1930-4402-8d77-b2bebba308a3";

struct SubgroupName {
    const char* guid;
    const char* name;
};
constexpr SubgroupName kSubgroupNames[] = {
    {kBattery, "Battery"},
    {kDisplay, "Display"},
    {kDisk, "Hard disk"},
    {kSleep, "Sleep"},
    {kWirelessGroup, "Wireless Adapter Settings"},
    {kButtons, "Power buttons and lid"},
    {kPciExpress, "PCI Express"},
    {kProcessor, "Processor power management"},
    {kNoSubgroup, "Settings belonging to no subgroup"},
    {kUsb, "USB settings"},
};
}  // namespace

// Columns: subgroup, setting, kind, name, then AC/DC values of Balanced, High
// performance and Power saver. The table keeps its hand layout, two lines
// per setting.
// clang-format off
const SimSetting kSimSettings[] = {
    {kBattery, "637ea02f-bbcb-4015-8e2c-a1c7b9c0b546", &kAction, "Critical battery action",
     {"2", "2"}, {"2", "2"}, {"2", "2"}},
    {kBattery, "d8742dcb-3e6a-4b3c-b3fe-374623cdcf06", &kAction, "Low battery action",
     {"0", "0"}, {"0", "0"}, {"0", "0"}},
    {kBattery, "9a66d8d7-4ff7-4ef9-b5a2-5a326ca2a469", &kPercent, "Critical battery level",
     {"5", "5"}, {"5", "5"}, {"5", "5"}},
    {kBattery, "8183ba9a-e910-48da-8769-14ae6dc1170a", &kPercent, "Low battery level",
     {"10", "10"}, {"10", "10"}, {"10", "10"}},
    {kBattery, "bcded951-187b-4d05-bccc-f7e51960c258", &kOnOff, "Low battery notification",
     {"1", "1"}, {"1", "1"}, {"1", "1"}},
    {kDisplay, "3c0bc021-c8a8-4e07-a973-6b14cbcb2b7e", &kSeconds, "Turn off display after",
     {"600", "300"}, {"900", "600"}, {"300", "120"}},
    {kDisk, "6738e2c4-e8a5-4a42-b16a-e040e769756e", &kSeconds, "Turn off hard disk after",
     {"1200", "600"}, {"1200", "1200"}, {"1200", "300"}},
    {kSleep, "29f6c1db-86da-48c5-9fdb-f2b67b1f44da", &kSeconds, "Sleep after",
     {"1800", "900"}, {"0", "1800"}, {"900", "600"}},
    {kSleep, "9d7815a6-7ee4-497e-8888-515a05f02364", &kSeconds, "Hibernate after",
     {"0", "10800"}, {"0", "10800"}, {"0", "10800"}},
    {kWirelessGroup, "12bbebe6-58d6-4636-95bb-3217ef867c1a", &kWireless, "Power Saving Mode",
     {"0", "2"}, {"0", "0"}, {"2", "3"}},
    {kButtons, "5ca83367-6e45-459f-a27b-476b1d01c936", &kAction, "Lid close action",
     {"1", "1"}, {"1", "1"}, {"1", "1"}},
    {kButtons, "7648efa3-dd9c-4e3e-b566-50f929386280", &kAction, "Power button action",
     {"1", "1"}, {"1", "1"}, {"1", "1"}},
    {kButtons, "96996bc0-ad50-47ec-923b-6f41874dd9eb", &kAction, "Sleep button action",
     {"1", "1"}, {"1", "1"}, {"1", "1"}},
    {kButtons, "a7066653-8d6c-40a8-910e-a1f54b84c7e5", &kStartMenu, "Start menu power button",
     {"0", "0"}, {"0", "0"}, {"0", "0"}},
    {kPciExpress, "ee12f906-d277-404b-b6da-e5fa1a576df5", &kLinkState, "Link State Power Management",
     {"1", "2"}, {"0", "0"}, {"2", "2"}},
    {kProcessor, "893dee8e-2bef-41e0-89c6-b55d0929964c", &kPercent, "Minimum processor state",
     {"5", "5"}, {"100", "100"}, {"5", "5"}},
    {kProcessor, "bc5038f7-23e0-4960-96da-33abaf5935ec", &kPercent, "Maximum processor state",
     {"100", "100"}, {"100", "100"}, {"100", "50"}},
    {kProcessor, "94d3a615-a899-4ac5-ae2b-e4d8f634367f", &kCooling, "System cooling policy",
     {"1", "0"}, {"1", "1"}, {"0", "0"}},
    {kNoSubgroup, "0e796bdb-100d-47d6-a2d5-f7d2daa51f51", &kOnOff, "Require a password on wakeup",
     {"1", "1"}, {"1", "1"}, {"1", "1"}},
    {kSleep, "94ac6d29-73ce-41a6-809f-6363ba21b47e", &kOnOff, "Allow hybrid sleep",
     {"1", "0"}, {"1", "0"}, {"1", "0"}},
    {kSleep, "bd3b718a-0680-4d9d-8ab2-e1d2b4ac806d", &kOnOff, "Allow wake timers",
     {"1", "1"}, {"1", "1"}, {"1", "1"}},
    {kUsb, "48e6b7a6-50f5-4782-a5d4-53bb8f07e226", &kOnOff, "USB selective suspend setting",
     {"1", "1"}, {"0", "0"}, {"1", "1"}},
};
// clang-format on
const std::size_t kSimSettingCount = sizeof(kSimSettings) / sizeof(kSimSettings[0]);

const char* SimSubgroupName(std::string_view guid) {
    for (const SubgroupName& subgroup : kSubgroupNames)
        if (EqualsNoCaseAscii(subgroup.guid, guid)) return subgroup.name;
    return nullptr;
}

bool IsSimSubgroup(std::string_view guid) {
    for (std::size_t i = 0; i < kSimSettingCount; ++i)
        if (EqualsNoCaseAscii(kSimSettings[i].subgroup, guid)) return true;
    return false;
}

const SimSetting* FindSimSetting(std::string_view subgroup, std::string_view setting) {
    for (std::size_t i = 0; i < kSimSettingCount; ++i) {
        const SimSetting& row = kSimSettings[i];
        if (EqualsNoCaseAscii(row.subgroup, subgroup) && EqualsNoCaseAscii(row.setting, setting)) return &row;
    }
    return nullptr;
}

bool ParseSimIndex(std::string_view text, std::uint32_t& value) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    std::uint64_t result = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return false;
        }
        result = result * base + digit;
        if (result > 0xFFFFFFFFull) return false;
    }
    value = static_cast<std::uint32_t>(result);
    return true;
}
