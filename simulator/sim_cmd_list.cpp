// "/l": every plan, sorted by GUID, the active one marked.
#include <algorithm>

#include "base/text.h"
#include "simulator/sim_commands.h"

std::string SimPlanLine(std::string_view guid, std::string_view name, bool active) {
    std::string line = "Power Scheme GUID: ";
    for (char c : guid) line.push_back((c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c);
    line += "  (";
    line += name;
    line += ")";
    if (active) line += " *";
    line += "\r\n";
    return line;
}

SimOutcome ListPlans(const SimState& state) {
    std::vector<std::pair<std::string, const SimPlan*>> sorted;
    for (const SimPlan& plan : state.plans) {
        std::string key = plan.guid;
        for (char& c : key)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        sorted.emplace_back(key, &plan);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    std::string out = "\r\nExisting Power Schemes (* Active)\r\n";
    out += std::string(35, '-') + "\r\n";
    for (const auto& [key, plan] : sorted)
        out += SimPlanLine(key, plan->name, EqualsNoCaseAscii(plan->guid, state.activeGuid));
    return SimSuccess(out);
}
