#pragma once
// Runs a call into foreign code (the relay DLL) so that a crash inside it
// ends only that call, not the process.
#include <windows.h>

struct GuardedCallResult {
    bool returned = false;    // the call ran to its end
    DWORD exceptionCode = 0;  // when it did not: the exception that ended it
};

// The code given for a C++ exception that escaped the call.
inline constexpr DWORD kCppExceptionCode = 0xE06D7363;

// Calls `call(context)` on a thread of its own, initialised for COM like the
// program's main thread, and waits for it without a time limit. An exception
// that nothing inside the call handles ends that thread alone: the process's
// unhandled-exception filter is wrapped for the duration of the call, and the
// result then holds the exception code. Anything the call owns is therefore
// best kept by the caller. When no thread can be started the call is made on
// the calling thread, unguarded.
GuardedCallResult RunGuarded(void (*call)(void*), void* context);
