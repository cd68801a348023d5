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
        PlannedCommand command;
        command.duplicatesPlan = line.find("DUPLICATE") != std::string::npos;
        command.commandLine = std::move(line);
        plan.actions.emplace_back(std::move(command));
    }
    return plan;
}
}  // namespace

TEST(StepReport, PlanOverwriteAndCommandLines) {
    PwrScheme request{};
    request.CSchName = "office";
    request.COverwrite = "1";
    EXPECT_EQ(DecisionLines(Decided(StepOperation::Create, "g-1", StepHandsOff{StepOperation::Modify}), request,
                            "Modify Scheme", ""),
              (std::vector<std::string>{"  plan: \"Office\" g-1",
                                        "  overwrite \"1\": the plan exists, carried on as Modify Scheme"}));
    EXPECT_EQ(DecisionLines(Decided(StepOperation::Create, "", StepSucceeds{}, {"POWERCFG -DUPLICATESCHEME \"b\""}),
                            request, "Modify Scheme", "{new-plan-2}"),
              (std::vector<std::string>{"  plan: none named \"office\", made as {new-plan-2}"}));
    request.COverwrite = "";
    EXPECT_EQ(DecisionLines(Decided(StepOperation::Modify, "", StepSucceeds{}), request, "Create Scheme", "").back(),
              "  overwrite \"\": no plan has that name, nothing is done");
    EXPECT_EQ(SummaryLine(2, "Not Able to Change Name : Access is denied.\r\n"),
              "the job would fail at step 2: Not Able to Change Name : Access is denied.");
}
