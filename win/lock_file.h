#pragma once
// A lock held as an open file. The file is opened for reading and writing
// with no sharing, so no one else can open it that way until the holder's
// handle is closed: by its owner, or by the system when the holding process
// ends, however it ends. A lock file that does not exist yet is created with
// a protected DACL granting access to SYSTEM, the Administrators and the
// creating user only, so no other user can open it to hold it. The file stays
// on disk; only the open handle is the lock.
#include <string>

#include "win/owners.h"

enum class LockAttempt { Taken, Busy, Failed };

// One attempt. Taken: `holder` now owns the lock. Busy: another handle holds
// the file. Failed: any other error, left as the thread's last error.
LockAttempt TryHoldLockFile(const std::string& path, UniqueFile& holder);
