#pragma once
// Runs a call into foreign code (the relay DLL) so that a crash, a hang or a
// thread that ends itself inside it ends only that call, not the process.
#include <windows.h>

#include <string>

#include "win/owners.h"

enum class GuardedEnd {
    Returned,     // the call ran to its end
    Exception,    // an exception that nothing inside handled ended it
    EndedItself,  // its thread ended without returning (ExitThread inside)
    TimedOut,     // still running when the time limit ran out; left behind
};

struct GuardedCallResult {
    GuardedEnd end = GuardedEnd::Returned;
    DWORD exceptionCode = 0;   // Exception: the exception's code
    DWORD threadExitCode = 0;  // EndedItself: the code the thread ended with
};

// The code given for a C++ exception that escaped the call.
inline constexpr DWORD kCppExceptionCode = 0xE06D7363;

// Calls `call(context)` on a thread of its own, initialised for COM like the
// program's main thread, and waits for it for at most `limitMs`. An exception
// that nothing inside the call handles ends that thread alone: the process's
// unhandled-exception filter is wrapped while a guarded thread may still run,
// and put back at the first exception should the call have taken it away (a
// filter the call set instead is consulted first).
// A call past its limit is left running and never waited for again.
// `context` must therefore outlive a call that did not return: the caller
// keeps it (and anything the call may still touch) for good in that case.
// When no thread can be started the call is made on the calling thread,
// unguarded and without a limit.
GuardedCallResult RunGuarded(void (*call)(void*), void* context, DWORD limitMs = INFINITE);

// Loads the DLL at `path` as a guarded call within `limitMs`, so that a DLL
// whose initialisation never returns holds up only that call. When the call
// returned, `module` holds the DLL, or is empty with the load's error in
// `error`; otherwise the system's loader may be held for good.
GuardedCallResult LoadLibraryGuarded(const std::string& path, DWORD limitMs, UniqueModule& module, DWORD& error);

// True once a guarded call has not returned: its thread may still run, or may
// have died holding locks (the process heap's among them). The process must
// then end without the usual clean-up, which could wait on those locks.
bool GuardedCallLeftBehind();
