#include "win/guarded_call.h"

#include <atomic>

#include "win/owners.h"

namespace {
// What a guarded thread reports back. It lives on the heap: a thread left
// behind may write it long after RunGuarded returned, so it is then never freed.
struct Guarded {
    void (*call)(void*);
    void* context;
    std::atomic<bool> returned{false};
    std::atomic<bool> cppException{false};
    std::atomic<bool> crashed{false};
    std::atomic<DWORD> exceptionCode{0};
};

// The guarded threads that may still run, each with its report. A crash on
// one of them ends only that thread; any other thread's crash goes on to the
// filter that was in place before the guard. Only threads left behind stay
// here, two per run at most; when the table is full a call runs without the
// crash guard (its crash then reaches the process's filter).
struct GuardedThread {
    std::atomic<DWORD> id{0};
    std::atomic<Guarded*> report{nullptr};
};
GuardedThread g_threads[16];
std::atomic<bool> g_leftBehind{false};
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
bool g_filterInstalled = false;
PVOID g_filterKeeper = nullptr;
// A filter that guarded code put in the guard's place, consulted first.
std::atomic<LPTOP_LEVEL_EXCEPTION_FILTER> g_displacedFilter{nullptr};

LONG WINAPI EndGuardedThread(EXCEPTION_POINTERS* info) {
    const DWORD self = GetCurrentThreadId();
    for (GuardedThread& thread : g_threads) {
        if (thread.id.load() != self) continue;
        // The call's own filter may still take it up and carry on.
        if (const LPTOP_LEVEL_EXCEPTION_FILTER own = g_displacedFilter.load())
            if (own(info) == EXCEPTION_CONTINUE_EXECUTION) return EXCEPTION_CONTINUE_EXECUTION;
        const DWORD code = info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 0;
        if (Guarded* report = thread.report.load()) {
            report->exceptionCode = code;
            report->crashed = true;
        }
        ExitThread(code);
    }
    return g_previousFilter ? g_previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

GuardedThread* Register(DWORD threadId, Guarded* report) {
    for (GuardedThread& thread : g_threads) {
        DWORD free = 0;
        if (!thread.id.compare_exchange_strong(free, threadId)) continue;
        thread.report = report;
        return &thread;
    }
    return nullptr;
}

// Guarded code may take the guard's filter away (SetUnhandledExceptionFilter
// with NULL, say) and then fault: the fault would end the process. Vectored
// handlers see every exception first, before any handler of the code that
// raised it; this one handles none. It only puts the guard's filter back,
// keeping the one it found there for the guard to consult, so that an
// exception that nothing inside the call handles still reaches the guard,
// while one the call's own handlers take stays theirs.
LONG CALLBACK KeepGuardFilter(EXCEPTION_POINTERS*) {
    const LPTOP_LEVEL_EXCEPTION_FILTER found = SetUnhandledExceptionFilter(EndGuardedThread);
    if (found != EndGuardedThread && found != g_previousFilter) g_displacedFilter = found;
    return EXCEPTION_CONTINUE_SEARCH;
}

void InstallFilter() {
    if (g_filterInstalled) return;
    g_previousFilter = SetUnhandledExceptionFilter(EndGuardedThread);
    g_filterKeeper = AddVectoredExceptionHandler(0, KeepGuardFilter);
    g_filterInstalled = true;
}

// Puts the earlier filter back once no guarded thread can run any more, in
// place of whatever a call left there.
void RemoveFilterWhenIdle() {
    for (const GuardedThread& thread : g_threads)
        if (thread.id.load() != 0) return;
    if (!g_filterInstalled) return;
    if (g_filterKeeper) RemoveVectoredExceptionHandler(g_filterKeeper);
    g_filterKeeper = nullptr;
    SetUnhandledExceptionFilter(g_previousFilter);
    g_displacedFilter = nullptr;
    g_filterInstalled = false;
}

DWORD WINAPI GuardedThreadMain(void* parameter) {
    Guarded& guarded = *static_cast<Guarded*>(parameter);
    ComInit com;  // a relay may use COM, as it could on the main thread
    try {
        guarded.call(guarded.context);
    } catch (...) {
        guarded.cppException = true;
        return kCppExceptionCode;
    }
    guarded.returned = true;
    return 0;
}
}  // namespace

GuardedCallResult RunGuarded(void (*call)(void*), void* context, DWORD limitMs) {
    Guarded* guarded = new Guarded;
    guarded->call = call;
    guarded->context = context;
    DWORD threadId = 0;
    UniqueHandle thread(CreateThread(nullptr, 0, GuardedThreadMain, guarded, CREATE_SUSPENDED, &threadId));
    if (!thread) {
        delete guarded;
        call(context);
        return {};
    }
    GuardedThread* slot = Register(threadId, guarded);
    if (slot) InstallFilter();
    ResumeThread(thread.get());

    GuardedCallResult result;
    if (WaitForSingleObject(thread.get(), limitMs) != WAIT_OBJECT_0) {
        // Left running: its slot and its report stay, for its crash to end it alone.
        g_leftBehind = true;
        result.end = GuardedEnd::TimedOut;
        return result;
    }
    if (slot) {
        slot->report = nullptr;
        slot->id = 0;
    }
    RemoveFilterWhenIdle();

    if (guarded->returned) {
        result.end = GuardedEnd::Returned;
    } else if (guarded->crashed || guarded->cppException) {
        result.end = GuardedEnd::Exception;
        result.exceptionCode = guarded->cppException ? kCppExceptionCode : guarded->exceptionCode.load();
    } else {
        result.end = GuardedEnd::EndedItself;
        if (!GetExitCodeThread(thread.get(), &result.threadExitCode)) result.threadExitCode = 0;
    }
    // A C++ exception unwound the thread properly; any other end may have
    // left its locks taken.
    if (result.end == GuardedEnd::Returned || guarded->cppException) {
        delete guarded;
    } else {
        g_leftBehind = true;  // the report is not freed: the heap may be locked for good
    }
    return result;
}

namespace {
// What the loading thread works on. A load that does not return may still
// use it, so it is then kept for good.
struct LoadCall {
    std::string path;
    HMODULE module = nullptr;
    DWORD error = 0;
};

void LoadOnItsThread(void* context) {
    LoadCall& call = *static_cast<LoadCall*>(context);
    call.module = LoadLibraryA(call.path.c_str());
    call.error = GetLastError();
}
}  // namespace

GuardedCallResult LoadLibraryGuarded(const std::string& path, DWORD limitMs, UniqueModule& module, DWORD& error) {
    LoadCall* call = new LoadCall{path};
    const GuardedCallResult outcome = RunGuarded(LoadOnItsThread, call, limitMs);
    if (outcome.end != GuardedEnd::Returned) return outcome;  // `call` stays: the loader may still write to it
    module.reset(call->module);
    error = call->error;
    delete call;
    return outcome;
}

bool GuardedCallLeftBehind() { return g_leftBehind.load(); }
