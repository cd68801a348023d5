/* A stand-in for the power-management library on a machine that cannot
   hibernate: the capability query succeeds and reports SystemS4 as false,
   everything else as zero. When KV_POWRPROF_MARK names a file, the query
   creates it, so a test can tell this double from a library that failed to
   load (which the program also takes as "no hibernation"). */
#include <windows.h>
#include <powrprof.h>
#include <string.h>

BOOLEAN WINAPI GetPwrCapabilities(PSYSTEM_POWER_CAPABILITIES capabilities) {
    char mark[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("KV_POWRPROF_MARK", mark, sizeof mark);
    if (length > 0 && length < sizeof mark) {
        HANDLE file = CreateFileA(mark, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    if (capabilities == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    memset(capabilities, 0, sizeof *capabilities);
    return TRUE;
}
