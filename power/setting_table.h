#pragma once
// The 22 power settings that plan creation and modification write, as
// constant data, and the planning of their POWERCFG commands. Platform-free:
// the Windows side (ApplySettingTable) only logs and runs what is planned here.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/pwr_scheme_fields.h"

// One job code and the index text POWERCFG receives for it.
struct CodeValue {
    const char* code;
    const char* value;
};

struct Translation {
    const CodeValue* entries;
    std::size_t count;
};

enum class ValueForm {
    Direct,      // the record text goes to POWERCFG unchanged
    Translated,  // the record text is a job code, mapped by the row's translation
    YesNo,       // "001" when the record text is "1", otherwise "000"
};

enum class RowCondition {
    Always,
    CoolingSystems,  // only where the system cooling policy can be set
};

struct SettingRow {
    const StepTag* tag;  // the job-document element that fills the AC and DC texts
    const char* subgroupGuid;
    const char* settingGuid;
    ValueForm form;
    const Translation* translation;  // for ValueForm::Translated only
    std::uint32_t directMax;         // for ValueForm::Direct only: the highest index Windows takes
    RowCondition condition;
    const char* acLabel;
    const char* dcLabel;
    const char* acFailureMessage;
    const char* dcFailureMessage;
};

inline constexpr std::size_t kSettingRowCount = 22;
extern const std::array<SettingRow, kSettingRowCount> kSettingRows;

enum class PowerSource { AC, DC };

// The request's text of the row for that power source.
std::string_view SettingText(const SettingRow& row, PowerSource source, const PwrScheme& request);

// A request option is on only when its text is exactly "1" (letter case aside,
// which a digit does not have).
bool OptionIsOn(std::string_view text);

// The index text for a job code, or the empty text when no code matches.
std::string TranslateCode(const Translation& translation, std::string_view code);

// Whether the cooling-policy row applies on this system: Windows Vista SP1 (11),
// Windows Server 2008 (2), Windows 7 (3) and Windows Server 2008 R2 (4).
bool CoolingPolicyApplies(std::int32_t osCode);

// A whole number as POWERCFG reads an index: decimal digits, or "0x" and
// hexadecimal digits, up to 32 bits. No sign, blank or other character.
std::optional<std::uint64_t> IndexNumber(std::string_view text);

// The value argument a row sends for a record text (before quoting).
std::string SettingValueText(const SettingRow& row, std::string_view recordText);

// The exact command line of one setting write.
std::string SettingCommand(const SettingRow& row, PowerSource source, std::string_view planGuid,
                           std::string_view recordText);

// One planned step of the table: a write to run, or the notice that stands in
// place of a row that does not apply on this system.
struct PlannedWrite {
    enum class Kind { Write, NotSupportedNotice };
    Kind kind = Kind::Write;
    std::string label;     // val2 of the line logged before the command
    std::string rawValue;  // the record text, before translation
    std::string command;
    const char* failureMessage = "";  // start of the status text when it fails
};

// The ordered steps for a request: 44 writes (AC before DC for every row), or
// 42 writes and the notice when the cooling policy does not apply.
std::vector<PlannedWrite> PlanSettingWrites(const PwrScheme& request, std::string_view planGuid, std::int32_t osCode);

// Why a request cannot be written: the first value, in command order, that
// would not give POWERCFG a valid index (a job code that matches no code of
// its translation, an empty text, a direct value that is not a whole number in
// the setting's range: "-1", "+600", " 10", "101" for a percentage), or any
// value the ANSI code page could not hold exactly (CInexactValues).
struct SettingValueRefusal {
    std::string setting;  // the document's element and the power source, as "lowbatact DC"
    std::string value;    // the record text
    std::string status;   // the status description
};

// Checks every value the table would write for this request on this system
// (a row that does not apply is not written, so its values are not checked).
// Nothing when every write can be run.
std::optional<SettingValueRefusal> CheckSettingValues(const PwrScheme& request, std::int32_t osCode);
