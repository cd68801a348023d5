#include "power/command_failure.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/fixed_text.h"
#include "report/log_writer.h"
#include "run/run_context.h"
#include "tests/win/temp_folder.h"

namespace {
class CommandFailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRunContext();
        SetLogDestination({temp_.path(), "", false});
    }
    void TearDown() override { ResetRunContext(); }
    std::string LogText() const {
        std::string text;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((temp_.path() + "\\ApplicationLog\\DorvikLog\\*.Log").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return text;
        text = ReadWholeFile(temp_.path() + "\\ApplicationLog\\DorvikLog\\" + data.cFileName);
        FindClose(find);
        return text;
    }
    TempFolder temp_;
};
}  // namespace

TEST_F(CommandFailureTest, StatusIsTheMessageAndTheSystemTextCutToFit) {
    SetLastError(ERROR_ACCESS_DENIED);
    ReportCommandFailure("ModifyPowerSchemeVista", "Failed to set power scheme as active : ");
    EXPECT_STREQ(g_ctx.LastErrorNumber, "5");
    ASSERT_NE(g_ctx.LastErrorText[0], '\0');
    EXPECT_EQ(std::string(g_ctx.StatusDescription),
              std::string("Failed to set power scheme as active : ") + g_ctx.LastErrorText);
    const std::string firstLine = std::string(g_ctx.LastErrorText).substr(0, std::strcspn(g_ctx.LastErrorText, "\r\n"));
    EXPECT_NE(LogText().find("\tModifyPowerSchemeVista\tFAILED\tExecuteCommand\t5\t" + firstLine), std::string::npos);

    // A message that leaves no room keeps the first 1023 characters, terminated.
    const std::string longMessage(1100, 'm');
    SetLastError(ERROR_ACCESS_DENIED);
    ReportCommandFailure("CreatePowerSchemeVista", longMessage);
    EXPECT_EQ(std::strlen(g_ctx.StatusDescription), sizeof g_ctx.StatusDescription - 1);

    // Without the system text, but the error is still captured and logged.
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    ReportCommandFailure("CreatePowerSchemeVista", "Os Type is XP/2003/2000", AppendSystemText::No);
    EXPECT_STREQ(g_ctx.StatusDescription, "Os Type is XP/2003/2000");
    EXPECT_STREQ(g_ctx.LastErrorNumber, "122");
    EXPECT_NE(LogText().find("\tCreatePowerSchemeVista\tFAILED\tExecuteCommand\t122\t"), std::string::npos);
}
