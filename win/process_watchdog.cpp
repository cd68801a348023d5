#include "win/process_watchdog.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>

#include "win/guarded_call.h"

namespace {
// The watchdog allocates nothing once started: the heap may be locked for good
// by a thread that died while holding it.
HANDLE g_armed = nullptr;  // kept until the process ends
std::atomic<unsigned long> g_boundMs{0};

DWORD WINAPI Watchdog(void*) {
    WaitForSingleObject(g_armed, INFINITE);
    Sleep(g_boundMs.load());
    TerminateProcess(GetCurrentProcess(), 0);
    return 0;
}
}  // namespace

// The normal exit unloads every DLL and runs their clean-up, which may wait on
// a lock a left-behind thread holds; and it ends the watchdog first.
void EndNowIfGuardedCallLeftBehind() {
    if (GuardedCallLeftBehind()) TerminateProcess(GetCurrentProcess(), 0);
}

bool StartProcessWatchdog() {
    if (g_armed) return true;
    g_armed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!g_armed) return false;
    HANDLE thread = CreateThread(nullptr, 64 * 1024, Watchdog, nullptr, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!thread) {
        CloseHandle(g_armed);
        g_armed = nullptr;
        return false;
    }
    CloseHandle(thread);
    std::atexit(EndNowIfGuardedCallLeftBehind);
    return true;
}

void ArmProcessWatchdog(unsigned long boundMs) {
    if (!g_armed) return;
    g_boundMs = boundMs;
    SetEvent(g_armed);
}
