#include "driver/run_lock.h"

#include <windows.h>

#include <string>

#include "base/fixed_text.h"
#include "base/time_limit.h"
#include "driver/run_context.h"
#include "power/command_runner.h"
#include "report/log_writer.h"
#include "win/limit_setting.h"
#include "win/lock_file.h"
#include "win/module_path.h"

namespace {
constexpr char kModule[] = "WinMain";
constexpr char kLockFileName[] = "Kestrovane.lock";
// Longer than the command runner's limit, so that a run waiting behind a
// hung command still gets its turn once that command has been ended.
constexpr unsigned long kWaitLimitMs = 10 * 60 * 1000;
constexpr DWORD kRetryPauseMs = 250;

bool LockNotOpened() {
    CaptureLastError();
    LogLine(kModule, "Failed", "Run Lock", g_ctx.LastErrorNumber, g_ctx.LastErrorText);
    StoreTextCut(g_ctx.StatusDescription, std::string("Not Able to Open the Run Lock : ") + g_ctx.LastErrorText);
    return false;
}

bool WaitRanOut(unsigned long limitMs) {
    const std::string waited = DurationText(limitMs);
    LogLine(kModule, "Failed", "Run Lock", "Timed Out", waited);
    StoreTextCut(g_ctx.StatusDescription,
                 "Another run is still working on power schemes after " + waited + " hence not processed");
    return false;
}
}  // namespace

bool TakeRunLock(UniqueFile& holder) {
    const std::string path = FileBesideExecutable(kLockFileName);
    if (path.empty()) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return LockNotOpened();
    }
    const unsigned long limitMs = LimitFromEnvironment("KV_RUN_LOCK_WAIT_MS", kWaitLimitMs);
    const ULONGLONG start = GetTickCount64();
    bool waiting = false;
    for (;;) {
        const LockAttempt attempt = TryHoldLockFile(path, holder);
        if (attempt == LockAttempt::Taken) return true;
        if (attempt == LockAttempt::Failed) return LockNotOpened();
        if (!waiting) {
            LogLine(kModule, "Info", "Run Lock", "Waiting", path);
            waiting = true;
        }
        const ULONGLONG elapsed = GetTickCount64() - start;
        if (elapsed >= limitMs) return WaitRanOut(limitMs);
        const ULONGLONG left = limitMs - elapsed;
        Sleep(static_cast<DWORD>(left < kRetryPauseMs ? left : kRetryPauseMs));
    }
}
