#include "report/relay_load.h"

#include <windows.h>

#include "report/status_post.h"
#include "win/guarded_call.h"
#include "win/process_watchdog.h"

RelayLoad LoadRelayDll(const std::string& path, UniqueModule& module) {
    const unsigned long limitMs = RelayCallLimitMs();
    DWORD error = 0;
    const GuardedCallResult outcome = LoadLibraryGuarded(path, limitMs, module, error);
    if (outcome.end == GuardedEnd::Returned) return module ? RelayLoad::Loaded : RelayLoad::Failed;
    // Armed before anything else: even this line's writing could come to
    // wait on the loader.
    ArmProcessWatchdog(WebPostTimeBoundMs());
    LogGuardedCallLost(outcome, limitMs,
                       {"Relaynet DLL Loading Timed Out", "Relaynet DLL Loading Ended Without Returning",
                        "Relaynet DLL Loading Crashed"});
    return RelayLoad::NotFinished;
}
