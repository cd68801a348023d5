#include "power/plan_commands.h"

#include "base/command_quote.h"
#include "base/text.h"

const char* BasePlanGuid(std::string_view basedOn) {
    if (EqualsNoCaseAscii(basedOn, "1")) return "381b4222-f694-41f0-9685-ff5bb260df2e";
    if (EqualsNoCaseAscii(basedOn, "2")) return "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c";
    if (EqualsNoCaseAscii(basedOn, "3")) return "a1841308-3541-4fab-bc81-f71556f20b4a";
    return nullptr;
}

std::string DuplicateCommand(std::string_view baseGuid) {
    return "POWERCFG -DUPLICATESCHEME " + QuoteArgument(baseGuid);
}

std::optional<std::string> RenameCommand(std::string_view planGuid, std::string_view name, std::string_view description,
                                         const LeadBytes& lead) {
    std::string command = "POWERCFG -CHANGENAME " + QuoteArgument(planGuid) + " " + QuoteArgument(name, lead);
    if (!description.empty()) command += " " + QuoteArgument(description, lead);
    if (command.size() >= kCommandCapacity) return std::nullopt;
    return command;
}

std::string HibernateCommand(bool on) { return on ? "POWERCFG -H \"ON\"" : "POWERCFG -H \"OFF\""; }

std::string ActivateCommand(std::string_view planGuid) { return "POWERCFG -SETACTIVE " + QuoteArgument(planGuid); }

std::string DeleteCommand(std::string_view planGuid) { return "POWERCFG -DELETE " + QuoteArgument(planGuid); }
