#include "run/last_error.h"

#include <windows.h>

#include <cstdio>

#include "base/fixed_text.h"
#include "run/run_context.h"
#include "win/text_convert.h"

namespace {
void StoreErrorNumber(DWORD error) {
    std::snprintf(g_ctx.LastErrorNumber, sizeof g_ctx.LastErrorNumber, "%lu", static_cast<unsigned long>(error));
}
}  // namespace

void CaptureLastError() { CaptureSystemError(GetLastError()); }

void CaptureSystemError(unsigned long error) {
    StoreErrorNumber(error);
    StoreTextCut(g_ctx.LastErrorText, SystemMessageText(error, LANG_USER_DEFAULT));
}

void CaptureLastErrorNumber() { StoreErrorNumber(GetLastError()); }
