#include "base/time_limit.h"

#include <algorithm>
#include <climits>

unsigned long LoweredLimitMs(std::string_view setting, unsigned long fallback) {
    if (setting.empty()) return fallback;
    unsigned long value = 0;
    for (char c : setting) {
        if (c < '0' || c > '9') return fallback;
        const unsigned long digit = static_cast<unsigned long>(c - '0');
        if (value > (ULONG_MAX - digit) / 10) return fallback;
        value = value * 10 + digit;
        if (value >= fallback) return fallback;
    }
    return value < kShortestLimitMs ? std::min(kShortestLimitMs, fallback) : value;
}

std::string DurationText(unsigned long ms) {
    if (ms % 1000 == 0) return std::to_string(ms / 1000) + " seconds";
    return std::to_string(ms) + " ms";
}
