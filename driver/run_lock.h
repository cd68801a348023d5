#pragma once
// One run at a time works on the machine's power plans, one step at a time:
// a step's plan work (from its listing to its last command) happens while
// its run holds the lock file "Kestrovane.lock" in the agent's installation
// folder, which every copy of the program finds there, wherever its own
// executable lies. Runs take turns between steps: a run that waits
// first holds "Kestrovane.next", the place next in line, so the holder,
// which lets go of the lock after each step, must wait for that place too
// before its next step, and the waiting run takes the lock in between.
#include <string>

#include "run/job_outcome.h"
#include "win/owners.h"

// Takes the run lock for one step into `holder`: first the place next in
// line, then the lock itself, waiting for other runs to let go of either for
// up to 10 minutes in all (the environment variable KV_RUN_LOCK_WAIT_MS may
// shorten the wait). A run that has to wait logs so once per step. A failure
// when the wait ran out or a lock file cannot be opened: the reason is
// logged and is the status description, and `holder` stays empty.
Outcome TakeRunLock(const std::string& installationPath, UniqueFile& holder);
