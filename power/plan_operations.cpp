#include "power/plan_operations.h"

#include "power/plan_step.h"
#include "power/this_machine.h"
#include "report/fatal_exit.h"

Outcome RunStepOnThisMachine(StepOperation operation, const PwrScheme& request, const std::string& copyRecord) {
    try {
        ThisMachine machine(copyRecord);
        return RunPlanStep(operation, request, machine);
    } catch (...) {
        ExitAfterException(OperationModule(operation));
    }
}
