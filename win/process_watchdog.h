#pragma once
// Makes sure the process ends, whatever a call into foreign code left behind
// (a thread that still runs, or one that died holding a lock).

// Starts the watchdog thread, idle until armed. Called before the relay DLL is
// loaded, so that no DLL code runs on it. Also makes the process's normal exit
// end it at once, without the usual clean-up, when a guarded call did not
// return (see GuardedCallLeftBehind). False when the thread cannot be started.
bool StartProcessWatchdog();
// From now on the process ends, with exit code 0, at the latest `boundMs`
// later. Without a started watchdog this does nothing.
void ArmProcessWatchdog(unsigned long boundMs);
// Ends the process at once, with exit code 0, when a guarded call did not
// return; otherwise does nothing. The usual clean-up (a DLL's, COM's) could
// wait on a lock that call still holds.
void EndNowIfGuardedCallLeftBehind();
