#include "simulator/sim_args.h"

#include "base/text.h"

namespace {

struct SwitchForm {
    const char* name;
    SimVerb verb;
    size_t minOperands;
    size_t maxOperands;
};

const SwitchForm kSwitches[] = {
    {"l", SimVerb::List, 0, 0},
    {"list", SimVerb::List, 0, 0},
    {"duplicatescheme", SimVerb::Duplicate, 1, 2},
    {"changename", SimVerb::ChangeName, 2, 3},
    {"h", SimVerb::Hibernate, 1, 1},
    {"hibernate", SimVerb::Hibernate, 1, 1},
    {"setacvalueindex", SimVerb::SetAcValue, 4, 4},
    {"setdcvalueindex", SimVerb::SetDcValue, 4, 4},
    {"setactive", SimVerb::SetActive, 1, 1},
    {"delete", SimVerb::Delete, 1, 1},
    {"q", SimVerb::Query, 0, 1},
    {"query", SimVerb::Query, 0, 1},
};

}  // namespace

std::string_view TextAfterProgramName(std::string_view commandLine) {
    size_t end;
    if (!commandLine.empty() && commandLine.front() == '"') {
        end = commandLine.find('"', 1);
        end = end == std::string_view::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(" \t");
        if (end == std::string_view::npos) end = commandLine.size();
    }
    return commandLine.substr(end);
}

bool ParseSimRequest(const std::vector<std::string>& args, SimRequest& request) {
    if (args.empty()) return false;
    const std::string& word = args.front();
    if (word.size() < 2 || (word[0] != '-' && word[0] != '/')) return false;
    const std::string_view name = std::string_view(word).substr(1);
    const size_t operands = args.size() - 1;
    for (const SwitchForm& form : kSwitches) {
        if (!EqualsNoCaseAscii(form.name, name)) continue;
        if (operands < form.minOperands || operands > form.maxOperands) return false;
        request.verb = form.verb;
        request.operands.assign(args.begin() + 1, args.end());
        return true;
    }
    return false;
}
