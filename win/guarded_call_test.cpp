#include "win/guarded_call.h"

#include <gtest/gtest.h>

namespace {
volatile int* volatile g_nowhere = nullptr;  // volatile: the compiler cannot see the fault coming

void Crash(void* context) {
    *static_cast<int*>(context) = 1;
    *g_nowhere = 2;
}
void Count(void* context) { ++*static_cast<int*>(context); }
}  // namespace

TEST(GuardedCall, ACrashEndsOnlyTheCallWithItsCode) {
    int progress = 0;
    GuardedCallResult result = RunGuarded(Crash, &progress);
    EXPECT_EQ(result.end, GuardedEnd::Exception);
    EXPECT_EQ(result.exceptionCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(progress, 1);

    result = RunGuarded(Count, &progress);
    EXPECT_EQ(result.end, GuardedEnd::Returned);
    EXPECT_EQ(progress, 2);
}

namespace {
void RemoveFilterThenCrash(void* context) {
    SetUnhandledExceptionFilter(nullptr);
    Crash(context);
}
void RemoveFilterThenHandleItsOwn(void* context) {
    SetUnhandledExceptionFilter(nullptr);
    try {
        throw 1;
    } catch (int) {
        Count(context);
    }
}
}  // namespace

// A call that takes the crash filter away and then faults still ends alone;
// an exception it handles itself is never taken from it.
TEST(GuardedCall, ACallThatRemovesTheCrashFilterStillEndsAlone) {
    int progress = 0;
    GuardedCallResult result = RunGuarded(RemoveFilterThenCrash, &progress);
    EXPECT_EQ(result.end, GuardedEnd::Exception);
    EXPECT_EQ(result.exceptionCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    result = RunGuarded(RemoveFilterThenHandleItsOwn, &progress);
    EXPECT_EQ(result.end, GuardedEnd::Returned);
    EXPECT_EQ(progress, 2);
}
