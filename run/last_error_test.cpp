#include "run/last_error.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "run/run_context.h"

TEST(CaptureLastError, StoresNumberAndSystemText) {
    ResetRunContext();
    SetLastError(ERROR_FILE_NOT_FOUND);
    CaptureLastError();
    EXPECT_STREQ("2", g_ctx.LastErrorNumber);
    const std::string text = g_ctx.LastErrorText;
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ("\r\n", text.substr(text.size() - 2));

    // A number without a system text leaves the text empty.
    SetLastError(0x2000FFFF);
    CaptureLastError();
    EXPECT_STREQ("536936447", g_ctx.LastErrorNumber);
    EXPECT_STREQ("", g_ctx.LastErrorText);
    ResetRunContext();
}
