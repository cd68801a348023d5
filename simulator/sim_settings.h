#pragma once
// The power settings the simulator knows: the 22 the program writes, each with
// its name, the values Windows accepts for it and the built-in plans' values.
// Platform-free.
#include <cstddef>
#include <cstdint>
#include <string_view>

struct SimSettingValues {
    const char* ac;
    const char* dc;
};

// The values a setting takes, and what "/q" prints of them: a range setting's
// unit, or an index setting's name for each index from 0 to maxIndex.
struct SimSettingKind {
    std::uint32_t maxIndex;
    const char* units;           // nullptr for an index setting
    const char* const* choices;  // nullptr for a range setting
};

struct SimSetting {
    const char* subgroup;  // lower case
    const char* setting;   // lower case
    const SimSettingKind* kind;
    const char* name;
    SimSettingValues balanced;
    SimSettingValues highPerformance;
    SimSettingValues powerSaver;
};

extern const SimSetting kSimSettings[];
extern const std::size_t kSimSettingCount;

// The name of a known subgroup, or nullptr.
const char* SimSubgroupName(std::string_view guid);
// True when `guid` names a known subgroup (compared ignoring letter case).
bool IsSimSubgroup(std::string_view guid);
// The setting in that subgroup, or nullptr.
const SimSetting* FindSimSetting(std::string_view subgroup, std::string_view setting);

// A value index as the tool reads it: decimal digits, or "0x" and hexadecimal
// digits, within 32 bits. Anything else (empty, signs, blanks) is refused.
bool ParseSimIndex(std::string_view text, std::uint32_t& value);
