#include "driver/run_lock.h"

#include <windows.h>

#include <string>

#include "base/time_limit.h"
#include "report/reporter.h"
#include "run/installation.h"
#include "win/limit_setting.h"
#include "win/lock_file.h"

namespace {
constexpr Reporter kLock("WinMain");
// Longer than the command runner's limit, so that a run waiting behind a
// hung command still gets its turn once that command has been ended.
constexpr unsigned long kWaitLimitMs = 10 * 60 * 1000;
constexpr DWORD kRetryPauseMs = 250;

Outcome LockNotOpened() {
    return kLock.RefuseWithSystemError("Not Able to Open the Run Lock : ", "Failed", "Run Lock", GetLastError());
}

Outcome WaitRanOut(unsigned long limitMs) {
    const std::string waited = DurationText(limitMs);
    return kLock.Refuse("Another run is still working on power schemes after " + waited + " hence not processed",
                        "Failed", "Run Lock", "Timed Out", waited);
}

// The wait of one step for the run lock, over both files.
struct LockWait {
    std::string lockPath;  // named by the "Waiting" line
    unsigned long limitMs;
    ULONGLONG start;
    bool logged;
};

// Holds `path` once no other run holds it.
Outcome HoldWhenFree(const std::string& path, UniqueFile& holder, LockWait& wait) {
    for (;;) {
        const LockAttempt attempt = TryHoldLockFile(path, holder);
        if (attempt == LockAttempt::Taken) return Outcome::Done();
        if (attempt == LockAttempt::Failed) return LockNotOpened();
        if (!wait.logged) {
            kLock.Line("Info", "Run Lock", "Waiting", wait.lockPath);
            wait.logged = true;
        }
        const ULONGLONG elapsed = GetTickCount64() - wait.start;
        if (elapsed >= wait.limitMs) return WaitRanOut(wait.limitMs);
        const ULONGLONG left = wait.limitMs - elapsed;
        Sleep(static_cast<DWORD>(left < kRetryPauseMs ? left : kRetryPauseMs));
    }
}
}  // namespace

Outcome TakeRunLock(const std::string& installationPath, UniqueFile& holder) {
    const std::string path = RunLockIn(installationPath);
    const std::string nextPath = NextInLineIn(installationPath);
    LockWait wait{path, LimitFromEnvironment("KV_RUN_LOCK_WAIT_MS", kWaitLimitMs), GetTickCount64(), false};
    // Next in line until the lock is ours: a run that lets go of the lock
    // after a step cannot take it back before this one.
    UniqueFile nextInLine;
    Outcome next = HoldWhenFree(nextPath, nextInLine, wait);
    if (next.IsFailure()) return next;
    return HoldWhenFree(path, holder, wait);
}
