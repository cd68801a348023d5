/* A stand-in for the power-management library on a machine that cannot
   hibernate: the capability query succeeds and reports SystemS4 as false,
   everything else as zero. */
#include <windows.h>
#include <powrprof.h>
#include <string.h>

BOOLEAN WINAPI GetPwrCapabilities(PSYSTEM_POWER_CAPABILITIES capabilities) {
    if (capabilities == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    memset(capabilities, 0, sizeof *capabilities);
    return TRUE;
}
