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
