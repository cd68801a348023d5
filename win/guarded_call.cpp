#include "win/guarded_call.h"

#include <atomic>

#include "win/owners.h"

namespace {
struct Guarded {
    void (*call)(void*);
    void* context;
    bool returned;
};

// The thread whose crash ends only itself, and the filter that was in place
// before the guard; any other thread's crash goes on to that filter.
std::atomic<DWORD> g_guardedThread{0};
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;

LONG WINAPI EndGuardedThread(EXCEPTION_POINTERS* info) {
    if (GetCurrentThreadId() == g_guardedThread.load())
        ExitThread(info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 0);
    return g_previousFilter ? g_previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

DWORD WINAPI GuardedThread(void* parameter) {
    Guarded& guarded = *static_cast<Guarded*>(parameter);
    ComInit com;  // a relay may use COM, as it could on the main thread
    try {
        guarded.call(guarded.context);
    } catch (...) {
        return kCppExceptionCode;
    }
    guarded.returned = true;
    return 0;
}
}  // namespace

GuardedCallResult RunGuarded(void (*call)(void*), void* context) {
    Guarded guarded{call, context, false};
    DWORD threadId = 0;
    UniqueHandle thread(CreateThread(nullptr, 0, GuardedThread, &guarded, CREATE_SUSPENDED, &threadId));
    if (!thread) {
        call(context);
        return {true, 0};
    }
    g_guardedThread = threadId;
    g_previousFilter = SetUnhandledExceptionFilter(EndGuardedThread);
    ResumeThread(thread.get());
    WaitForSingleObject(thread.get(), INFINITE);
    SetUnhandledExceptionFilter(g_previousFilter);
    g_guardedThread = 0;

    GuardedCallResult result;
    result.returned = guarded.returned;
    if (!result.returned && !GetExitCodeThread(thread.get(), &result.exceptionCode)) result.exceptionCode = 0;
    return result;
}
