#pragma once
// Time limits of a run: how a setting may shorten one, and how a limit is
// written in log lines and status descriptions. Platform-free.
#include <string>
#include <string_view>

// The shortest limit a setting can give: a run that waits, runs a command or
// calls the relay this long still has the time to finish what it does and
// keep its outcome (a limit of 0 would give up before anything could start).
inline constexpr unsigned long kShortestLimitMs = 1000;

// The limit to use: `setting` when it is a decimal number of milliseconds
// (digits only) below `fallback`, otherwise `fallback`; never below
// kShortestLimitMs. A setting can shorten a limit but never lengthen or remove it.
unsigned long LoweredLimitMs(std::string_view setting, unsigned long fallback);

// "600 seconds" for whole seconds, otherwise "1500 ms".
std::string DurationText(unsigned long ms);
