#include "power/hibernation.h"

#include <windows.h>
#include <powrprof.h>

bool HibernationSupported() {
    // Zero-filled first: a query that fails leaves nothing that could read as
    // "supported".
    SYSTEM_POWER_CAPABILITIES capabilities{};
    if (!GetPwrCapabilities(&capabilities)) return false;
    return capabilities.SystemS4 != FALSE;
}
