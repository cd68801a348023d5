#include "simulator/sim_run.h"

#include "base/command_quote.h"
#include "simulator/sim_args.h"
#include "simulator/sim_commands.h"

namespace {

const SimFault* MatchingFault(const SimState& state, std::string_view commandLine) {
    for (const SimFault& fault : state.faults) {
        if (fault.nth > 0 && fault.nth == state.invocations) return &fault;
        if (!fault.match.empty() && commandLine.find(fault.match) != std::string_view::npos) return &fault;
    }
    return nullptr;
}

SimOutcome Dispatch(SimState& state, const SimRequest& request, SimLanguage language) {
    switch (request.verb) {
        case SimVerb::List:
            return ListPlans(state);
        case SimVerb::Duplicate:
            return DuplicatePlan(state, request.operands);
        case SimVerb::ChangeName:
            return ChangePlanName(state, request.operands);
        case SimVerb::Hibernate:
            return SwitchHibernation(state, request.operands);
        case SimVerb::SetAcValue:
            return SetValueIndex(state, request.operands, true);
        case SimVerb::SetDcValue:
            return SetValueIndex(state, request.operands, false);
        case SimVerb::SetActive:
            return SetActivePlan(state, request.operands);
        case SimVerb::Delete:
            return DeletePlan(state, request.operands);
        case SimVerb::Query:
            return QueryPlan(state, request.operands, language);
    }
    return SimInvalidParameters();
}

SimOutcome RunCommand(SimState& state, std::string_view commandLine, SimLanguage language) {
    SimRequest request;
    if (!ParseSimRequest(SplitCommandLine(TextAfterProgramName(commandLine)), request)) return SimInvalidParameters();
    SimState work = state;
    SimOutcome outcome = Dispatch(work, request, language);
    if (outcome.exitCode == 0) state = std::move(work);
    return outcome;
}

}  // namespace

SimOutcome RunSimInvocation(SimState& state, std::string_view commandLine, SimLanguage language) {
    ++state.invocations;
    const SimFault* matched = MatchingFault(state, commandLine);
    if (!matched) return RunCommand(state, commandLine, language);
    // A copy: carrying out the command replaces the state that holds the fault.
    const SimFault fault = *matched;
    if (!fault.thenRun) {
        SimOutcome failed{fault.exitCode, fault.output, {}, fault.sleepMs};
        if (!fault.message.empty()) failed.err = fault.message + "\r\n";
        return failed;
    }
    SimOutcome outcome = RunCommand(state, commandLine, language);
    outcome.out = fault.output + outcome.out;
    outcome.sleepMs = fault.sleepMs;
    return outcome;
}
