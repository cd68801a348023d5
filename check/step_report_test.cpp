#include "check/step_report.h"

#include <gtest/gtest.h>

namespace {
StepPlan Decided(StepOperation operation, std::string guid, StepEnd end, std::vector<std::string> commands = {}) {
    StepPlan plan;
    plan.operation = operation;
    plan.planName = guid.empty() ? "" : "Office";
    plan.planGuid = std::move(guid);
    plan.end = end;
    for (std::string& line : commands) {
        PlannedAction action;
        action.command = PlannedCommand{};
        action.command->commandLine = std::move(line);
        action.command->duplicatesPlan = action.command->commandLine.find("DUPLICATE") != std::string::npos;
        plan.actions.push_back(action);
    }
    return plan;
}
}  // namespace

TEST(StepReport, PlanOverwriteAndCommandLines) {
    PwrScheme request{};
    request.CSchName = "office";
    request.COverwrite = "1";
    EXPECT_EQ(PlanLines(Decided(StepOperation::Create, "g-1", StepEnd::HandsOff), request, "Modify Scheme"),
              (std::vector<std::string>{"  plan: \"Office\" g-1",
                                        "  overwrite \"1\": the plan exists, carried on as Modify Scheme"}));
    EXPECT_EQ(PlanLines(Decided(StepOperation::Create, "", StepEnd::Succeeds, {"POWERCFG -DUPLICATESCHEME \"b\""}),
                        request, "Modify Scheme"),
              (std::vector<std::string>{"  plan: none named \"office\", made as {new-plan}",
                                        "  POWERCFG -DUPLICATESCHEME \"b\""}));
    request.COverwrite = "";
    EXPECT_EQ(PlanLines(Decided(StepOperation::Modify, "", StepEnd::Succeeds), request, "Create Scheme").back(),
              "  overwrite \"\": no plan has that name, nothing is done");
    EXPECT_EQ(SummaryLine(2, "Not Able to Change Name : Access is denied.\r\n"),
              "the job would fail at step 2: Not Able to Change Name : Access is denied.");
}
