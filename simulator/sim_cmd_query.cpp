// "/q [guid]" ("/query"): one plan's settings, the active plan's when no GUID
// is given. The plan line, then per subgroup (in the order of first use) the
// subgroup line and each of its settings: the setting line, its possible
// values at 6 blanks, and its current AC and DC index at 4 blanks. The
// hidden setting is left out, and so is a subgroup left without settings; an
// index the plan does not hold is not printed.
#include <cstdint>
#include <cstdio>

#include "base/text.h"
#include "simulator/sim_commands.h"
#include "simulator/sim_settings.h"

namespace {

struct QueryLabels {
    const char* plan;
    const char* subgroup;
    const char* setting;
    const char* minimum;
    const char* maximum;
    const char* increment;
    const char* units;
    const char* index;
    const char* indexName;
    const char* currentAc;
    const char* currentDc;
};

constexpr QueryLabels kEnglish{"Power Scheme GUID",
                               "Subgroup GUID",
                               "Power Setting GUID",
                               "Minimum Possible Setting",
                               "Maximum Possible Setting",
                               "Possible Settings increment",
                               "Possible Settings units",
                               "Possible Setting Index",
                               "Possible Setting Friendly Name",
                               "Current AC Power Setting Index",
                               "Current DC Power Setting Index"};

// French sets a no-break space before a colon.
constexpr QueryLabels kFrench{"GUID du mode de gestion de l'alimentation\u00a0",
                              "GUID du sous-groupe\u00a0",
                              "GUID du param\u00e8tre d'alimentation\u00a0",
                              "Param\u00e8tre minimal possible\u00a0",
                              "Param\u00e8tre maximal possible\u00a0",
                              "Incr\u00e9ment des param\u00e8tres possibles\u00a0",
                              "Unit\u00e9s des param\u00e8tres possibles\u00a0",
                              "Index de param\u00e8tre possible\u00a0",
                              "Nom convivial du param\u00e8tre possible\u00a0",
                              "Index actuel du param\u00e8tre d'alimentation sur secteur\u00a0",
                              "Index actuel du param\u00e8tre d'alimentation sur batterie\u00a0"};

void AddLine(std::string& out, std::size_t indent, const char* label, const std::string& value) {
    out += std::string(indent, ' ') + label + ": " + value + "\r\n";
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(value));
    return text;
}

std::string ThreeDigits(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>(value));
    return text;
}

std::string GuidAndName(std::string_view guid, std::string_view name) {
    return ToLowerAscii(guid) + "  (" + std::string(name) + ")";
}

void AddSetting(std::string& out, const QueryLabels& labels, const SimSetting& row, const SimPlan& plan) {
    AddLine(out, 4, labels.setting, GuidAndName(row.setting, row.name));
    const SimSettingKind& kind = *row.kind;
    if (kind.units) {
        AddLine(out, 6, labels.minimum, "0x00000000");
        AddLine(out, 6, labels.maximum, "0xffffffff");
        AddLine(out, 6, labels.increment, "0x00000001");
        AddLine(out, 6, labels.units, kind.units);
    } else {
        for (std::uint32_t i = 0; i <= kind.maxIndex; ++i) {
            AddLine(out, 6, labels.index, ThreeDigits(i));
            AddLine(out, 6, labels.indexName, kind.choices[i]);
        }
    }
    const auto values = plan.values.find(SimSettingKey(row.subgroup, row.setting));
    if (values == plan.values.end()) return;
    std::uint32_t index = 0;
    if (ParseSimIndex(values->second.first, index)) AddLine(out, 4, labels.currentAc, Hex(index));
    if (ParseSimIndex(values->second.second, index)) AddLine(out, 4, labels.currentDc, Hex(index));
}

std::string SubgroupBlock(std::string_view subgroup, const SimState& state, const SimPlan& plan,
                          const QueryLabels& labels) {
    std::string settings;
    for (std::size_t i = 0; i < kSimSettingCount; ++i) {
        const SimSetting& row = kSimSettings[i];
        if (row.subgroup == subgroup && SimSettingKey(row.subgroup, row.setting) != state.hiddenSetting)
            AddSetting(settings, labels, row, plan);
    }
    if (settings.empty()) return {};
    std::string block;
    AddLine(block, 2, labels.subgroup, GuidAndName(subgroup, SimSubgroupName(subgroup)));
    return block + settings + "\r\n";
}

}  // namespace

SimOutcome QueryPlan(const SimState& state, const SimOperands& operands, SimLanguage language) {
    const SimPlan* plan = FindPlan(state, operands.empty() ? state.activeGuid : operands[0]);
    if (!plan) return SimNotFound();
    const QueryLabels& labels = language == SimLanguage::French ? kFrench : kEnglish;
    std::string out;
    AddLine(out, 0, labels.plan, GuidAndName(plan->guid, plan->name));
    for (std::size_t i = 0; i < kSimSettingCount; ++i) {
        const std::string_view subgroup = kSimSettings[i].subgroup;
        bool first = true;
        for (std::size_t j = 0; j < i; ++j) first = first && subgroup != kSimSettings[j].subgroup;
        if (first) out += SubgroupBlock(subgroup, state, *plan, labels);
    }
    return SimSuccess(out);
}
