#include "win/limit_setting.h"

#include <windows.h>

#include "base/time_limit.h"

unsigned long LimitFromEnvironment(const char* name, unsigned long fallback) {
    char text[32] = {};
    const DWORD n = GetEnvironmentVariableA(name, text, sizeof text);
    if (n == 0 || n >= sizeof text) return fallback;
    return LoweredLimitMs(std::string_view(text, n), fallback);
}
