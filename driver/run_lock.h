#pragma once
// One run at a time works on the machine's power plans: the plan work of a
// run (every step of its job) happens while it holds the lock file
// "Kestrovane.lock" beside the executable, shared by every run of this
// installation and by the listing file "Schemes.txt" they use.
#include "win/owners.h"

// Takes the run lock into `holder`, waiting for an earlier run to let go of
// it for up to 10 minutes (the environment variable KV_RUN_LOCK_WAIT_MS may
// shorten the wait). A run that has to wait logs so once. False when the
// wait ran out or the lock file cannot be opened: the reason is logged and
// stored as the status description, and `holder` stays empty.
bool TakeRunLock(UniqueFile& holder);
