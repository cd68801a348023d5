// "-DUPLICATESCHEME base [new]": a copy of the base plan with its name,
// description and values, under the given GUID or a fresh one. The copy is
// not activated; its plan line is printed.
#include <cstdint>
#include <cstdio>

#include "simulator/sim_commands.h"

namespace {

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool IsWellFormedGuid(std::string_view text) {
    if (text.size() != 36) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? text[i] != '-' : !IsHex(text[i])) return false;
    }
    return true;
}

std::uint64_t Fnv1a(std::string_view text, std::uint64_t seed) {
    std::uint64_t hash = seed;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

// A new GUID that depends only on the state, so that runs repeat exactly
// (the listing is sorted by GUID, so random ones would reorder plans).
std::string NewPlanGuid(const SimState& state, std::string_view baseGuid) {
    for (unsigned salt = 0;; ++salt) {
        const std::string seedText = std::string(baseGuid) + "|" + std::to_string(state.invocations) + "|" +
                                     std::to_string(state.plans.size()) + "|" + std::to_string(salt);
        const std::uint64_t high = Fnv1a(seedText, 14695981039346656037ull);
        const std::uint64_t low = Fnv1a(seedText, high);
        char text[40];
        std::snprintf(text, sizeof text, "%08x-%04x-4%03x-%04x-%012llx", static_cast<unsigned>(high >> 32),
                      static_cast<unsigned>((high >> 16) & 0xFFFF), static_cast<unsigned>(high & 0xFFF),
                      static_cast<unsigned>(0x8000 | ((low >> 48) & 0x3FFF)),
                      static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFull));
        if (!FindPlan(state, text)) return text;
    }
}

}  // namespace

SimOutcome DuplicatePlan(SimState& state, const SimOperands& operands) {
    const SimPlan* base = FindPlan(state, operands[0]);
    if (!base) return SimNotFound();
    SimPlan copy = *base;
    if (operands.size() > 1) {
        if (!IsWellFormedGuid(operands[1])) return SimInvalidParameters();
        if (FindPlan(state, operands[1]))
            return SimRefusal("Unable to create a new power scheme: the GUID is already in use.");
        copy.guid = operands[1];
        for (char& c : copy.guid)
            if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
    } else {
        copy.guid = NewPlanGuid(state, base->guid);
    }
    const std::string line = SimPlanLine(copy.guid, copy.name, false);
    state.plans.push_back(std::move(copy));
    return SimSuccess(line);
}
