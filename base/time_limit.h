#pragma once
// Time limits of a run: how a setting may shorten one, and how a limit is
// written in log lines and status descriptions. Platform-free.
#include <string>
#include <string_view>

// The limit to use: `setting` when it is a decimal number of milliseconds
// (digits only) below `fallback`, otherwise `fallback`. A setting can shorten
// a limit but never lengthen or remove it.
unsigned long LoweredLimitMs(std::string_view setting, unsigned long fallback);

// "600 seconds" for whole seconds, otherwise "1500 ms".
std::string DurationText(unsigned long ms);
