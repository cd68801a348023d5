#include "power/command_failure.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/fixed_text.h"
#include "run/run_context.h"
#include "tests/win/day_log.h"
#include "tests/win/temp_folder.h"

namespace {
class CommandFailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRunContext();
        ASSERT_TRUE(StoreText(g_ctx.Agent.InstallationPath, temp_.path()));
    }
    void TearDown() override { ResetRunContext(); }
    std::string LogText() const { return ReadRunLog(temp_.path()); }
    TempFolder temp_;
};
}  // namespace

FailureReport Report(const std::string& status, bool appendReason = true) {
    FailureReport report;
    report.kind = FailureReport::Kind::CommandFailure;
    report.status = status;
    report.appendReason = appendReason;
    return report;
}

TEST_F(CommandFailureTest, StatusIsTheMessageAndTheSystemTextCutToFit) {
    SetLastError(ERROR_ACCESS_DENIED);
    ReportCommandFailure(Reporter("ModifyPowerSchemeVista"), Report("Failed to set power scheme as active : "));
    const std::string text = SystemErrorText(ERROR_ACCESS_DENIED);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(StatusDescription(), "Failed to set power scheme as active : " + text);
    const std::string firstLine = text.substr(0, text.find_first_of("\r\n"));
    EXPECT_NE(LogText().find("\tModifyPowerSchemeVista\tFAILED\tExecuteCommand\t5\t" + firstLine), std::string::npos);

    // A message that leaves no room keeps the first 1023 characters.
    SetLastError(ERROR_ACCESS_DENIED);
    ReportCommandFailure(Reporter("CreatePowerSchemeVista"), Report(std::string(1100, 'm')));
    EXPECT_EQ(StatusDescription(), std::string(1023, 'm'));

    // Without the system text, but the error the report names is still logged.
    FailureReport oldSystem = Report("Os Type is XP/2003/2000", false);
    oldSystem.systemError = ERROR_INSUFFICIENT_BUFFER;
    ReportCommandFailure(Reporter("CreatePowerSchemeVista"), oldSystem);
    EXPECT_EQ(StatusDescription(), "Os Type is XP/2003/2000");
    EXPECT_NE(LogText().find("\tCreatePowerSchemeVista\tFAILED\tExecuteCommand\t122\t"), std::string::npos);
}
