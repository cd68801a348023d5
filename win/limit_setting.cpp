#include "win/limit_setting.h"

#include <windows.h>

#include "base/time_limit.h"
#include "win/owners.h"

unsigned long LimitFromEnvironment(const char* name, unsigned long fallback) {
    // A variable that is not set leaves ERROR_ENVVAR_NOT_FOUND behind; the
    // lookup must not pass that off as the error of whatever the caller runs.
    const LastErrorKeeper keep;
    char text[32] = {};
    const DWORD n = GetEnvironmentVariableA(name, text, sizeof text);
    if (n == 0 || n >= sizeof text) return fallback;
    return LoweredLimitMs(std::string_view(text, n), fallback);
}
