#pragma once
// The current setting indexes of plans, read from what "POWERCFG /Q <plan>"
// prints. The output is read by its structure alone, so any language reads:
//   <label>: <plan GUID>  (<name>)                  at 0 blanks
//     <label>: <subgroup GUID>  (<name>)            at 2 blanks
//       <label>: <setting GUID>  (<name>)           at 4 blanks
//         <label>: 0x...    (range: minimum, maximum, increment; at 6 blanks)
//       <label>: 0x<AC index>                       at 4 blanks
//       <label>: 0x<DC index>                       at 4 blanks
// A setting's current indexes are the last two "0x" lines at 4 blanks before
// the next GUID line. Platform-free.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

struct SettingIndexes {
    unsigned long ac = 0;
    unsigned long dc = 0;
};

inline bool operator==(const SettingIndexes& a, const SettingIndexes& b) { return a.ac == b.ac && a.dc == b.dc; }

struct PlanValues {
    // Plan GUID -> (subgroup GUID, setting GUID) -> current indexes, all GUIDs
    // lower case. A setting printed without both indexes is not there: it
    // cannot be read.
    std::map<std::string, std::map<std::pair<std::string, std::string>, SettingIndexes>> plans;

    // Whether the text held the plan's output at all (GUID in any letter case).
    bool HasPlan(std::string_view plan) const;
    // The setting's indexes in that plan, or nothing when they cannot be read.
    std::optional<SettingIndexes> Find(std::string_view plan, std::string_view subgroup,
                                       std::string_view setting) const;
};

// Reads one output or several written one after another (each begins at its
// plan line; a plan output twice keeps its last reading). Lines may end in
// CR LF, LF or CR. A line with a GUID out of the shape above ends the reading
// of its setting, subgroup or plan, so that no index is taken for another
// setting.
PlanValues ParsePlanValues(std::string_view text);
