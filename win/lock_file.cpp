#include "win/lock_file.h"

#include <windows.h>

#include "win/protected_file.h"

LockAttempt TryHoldLockFile(const std::string& path, UniqueFile& holder) {
    const DWORD error = OpenProtectedFile(path, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS, holder);
    if (error == ERROR_SUCCESS) return LockAttempt::Taken;
    SetLastError(error);
    return error == ERROR_SHARING_VIOLATION ? LockAttempt::Busy : LockAttempt::Failed;
}
