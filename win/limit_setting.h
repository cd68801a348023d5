#pragma once
// A time limit that the environment may shorten (tests run with short
// limits). The variable is read at each call; it never lengthens a limit.

// `fallback`, or the environment variable `name` when it holds a smaller
// decimal number of milliseconds (never less than kShortestLimitMs, see
// base/time_limit.h).
unsigned long LimitFromEnvironment(const char* name, unsigned long fallback);
