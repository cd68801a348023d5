// Setting translation: for any request record, plan GUID and system, the
// table plans every row in order (AC before DC), and each command splits back
// into POWERCFG's arguments with the row's GUIDs and the translated value,
// never an empty one when the value check accepts the request.
#include <algorithm>
#include <cstring>
#include <string>

#include "base/command_quote.h"
#include "fuzz/fuzz_check.h"
#include "power/setting_table.h"

namespace {
bool IsTableValue(const Translation& translation, const std::string& value) {
    if (value.empty()) return true;  // a code the table does not know
    for (std::size_t i = 0; i < translation.count; ++i)
        if (value == translation.entries[i].value) return true;
    return false;
}

void CheckWrite(const PlannedWrite& write, const SettingRow& row, PowerSource source, std::string_view planGuid,
                const PwrScheme& request, bool valuesAccepted) {
    const bool ac = source == PowerSource::AC;
    const std::string_view raw = SettingText(row, source, request);
    FUZZ_CHECK(write.kind == PlannedWrite::Kind::Write);
    FUZZ_CHECK(write.label == (ac ? row.acLabel : row.dcLabel));
    FUZZ_CHECK(write.rawValue == raw);
    const std::string value = SettingValueText(row, raw);
    // A request that passes the value check sends no empty value.
    if (valuesAccepted) FUZZ_CHECK(!value.empty());
    switch (row.form) {
        case ValueForm::Direct:
            FUZZ_CHECK(value == raw);
            break;
        case ValueForm::YesNo:
            FUZZ_CHECK(value == "001" || value == "000");
            break;
        case ValueForm::Translated:
            FUZZ_CHECK(IsTableValue(*row.translation, value));
            break;
    }
    const std::vector<std::string> expected = {"POWERCFG",
                                               ac ? "-SETACVALUEINDEX" : "-SETDCVALUEINDEX",
                                               std::string(planGuid),
                                               row.subgroupGuid,
                                               row.settingGuid,
                                               value};
    FUZZ_CHECK(SplitCommandLine(write.command) == expected);
}
}  // namespace

// The input: one byte of system code, then NUL-separated texts: the plan
// GUID, then the AC and DC texts of the setting rows in table order (empty
// where the input ends).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::int32_t osCode = static_cast<std::int8_t>(data[0]);
    const std::vector<std::string_view> fields = InputFields(data + 1, size - 1, 1 + 2 * kSettingRowCount);
    const std::string_view planGuid = fields[0];
    PwrScheme request;
    std::size_t next = 1;
    for (const SettingRow& row : kSettingRows) {
        request.*row.tag->ac.text = fields[next++];
        request.*row.tag->dc.text = fields[next++];
    }

    const std::vector<PlannedWrite> plan = PlanSettingWrites(request, planGuid, osCode);
    const bool cooling = CoolingPolicyApplies(osCode);
    const bool accepted = !CheckSettingValues(request, osCode);
    FUZZ_CHECK(plan.size() == (cooling ? 2 * kSettingRowCount : 2 * kSettingRowCount - 1));
    std::size_t at = 0;
    for (const SettingRow& row : kSettingRows) {
        if (row.condition == RowCondition::CoolingSystems && !cooling) {
            FUZZ_CHECK(plan[at++].kind == PlannedWrite::Kind::NotSupportedNotice);
            continue;
        }
        CheckWrite(plan[at++], row, PowerSource::AC, planGuid, request, accepted);
        CheckWrite(plan[at++], row, PowerSource::DC, planGuid, request, accepted);
    }
    return 0;
}
