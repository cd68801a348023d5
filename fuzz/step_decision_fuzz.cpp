// The decision of a step, for any request and any listing: every command is a
// POWERCFG command; the new plan's placeholder appears only in a creation and
// only after its duplication; a step handed over runs nothing; a creation or
// modification that is refused is refused before its first command; and a
// deletion deletes only listed, inactive plans of the requested name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "power/plan_commands.h"
#include "power/setting_table.h"
#include "power/step_decision.h"

namespace {
constexpr std::size_t kRequestFields = 6;
constexpr std::size_t kListedPlans = 4;

void CheckPlan(const StepPlan& plan, const StepFacts& facts) {
    bool duplicated = false;
    std::size_t commands = 0;
    for (const PlannedAction& action : plan.actions) {
        const auto* command = std::get_if<PlannedCommand>(&action);
        if (command == nullptr) continue;
        ++commands;
        const std::string& line = command->commandLine;
        FUZZ_CHECK(line.rfind("POWERCFG -", 0) == 0);
        if (line.find(kNewPlanGuid) != std::string::npos)
            FUZZ_CHECK(plan.operation == StepOperation::Create && duplicated);
        duplicated = duplicated || command->duplicatesPlan;
        if (plan.operation != StepOperation::Delete) continue;
        bool deletable = false;
        for (std::size_t i = 0; i < facts.listing.size(); ++i)
            deletable = deletable || (facts.namedAsRequested[i] && facts.listing[i].SchemeActive != "Yes" &&
                                      line == DeleteCommand(facts.listing[i].SchemeGuid));
        FUZZ_CHECK(deletable);
    }
    if (std::holds_alternative<StepHandsOff>(plan.end)) FUZZ_CHECK(commands == 0);
    if (std::holds_alternative<StepRefused>(plan.end) && plan.operation != StepOperation::Delete)
        FUZZ_CHECK(commands == 0);
}
}  // namespace

// The input: one byte of operation and system, then NUL-separated texts: the
// request's name, description, base plan, overwrite, activation and
// hibernation options, then up to four listed plans as name, GUID and "Yes"
// for the active one, then the settings' AC and DC texts in table order.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto operation = static_cast<StepOperation>(data[0] % 3);
    const std::size_t count = kRequestFields + 3 * kListedPlans + 2 * kSettingRowCount;
    const std::vector<std::string_view> fields = InputFields(data + 1, size - 1, count);
    PwrScheme request;
    std::size_t next = 0;
    for (std::string* text : {&request.CSchName, &request.CSchDesc, &request.CBasedOn, &request.COverwrite,
                              &request.CSchActive, &request.CEnaHiber})
        *text = fields[next++];
    StepFacts facts;
    for (std::size_t i = 0; i < kListedPlans; ++i, next += 3) {
        if (fields[next + 1].empty()) continue;
        facts.listing.push_back(
            {std::string(fields[next]), std::string(fields[next + 1]), std::string(fields[next + 2])});
        facts.namedAsRequested.push_back(fields[next] == request.CSchName);
    }
    for (const SettingRow& row : kSettingRows) {
        request.*row.tag->ac.text = fields[next++];
        request.*row.tag->dc.text = fields[next++];
    }
    facts.osCode = (data[0] >> 2) & 0x0F;
    facts.hibernationSupported = (data[0] & 0x40) != 0;
    facts.vistaOrLater = (data[0] & 0x80) != 0;

    if (RefuseRequest(operation, request, {})) return 0;
    CheckPlan(DecideStep(operation, request, facts), facts);
    return 0;
}
