#include "report/relay_load.h"

#include <windows.h>

#include "report/status_post.h"
#include "win/guarded_call.h"
#include "win/process_watchdog.h"

namespace {
// What the loading thread works on. A load that does not return may still
// use it, so it is then kept for good.
struct LoadCall {
    std::string path;
    HMODULE module = nullptr;
};

void LoadOnItsThread(void* context) {
    LoadCall& call = *static_cast<LoadCall*>(context);
    call.module = LoadLibraryA(call.path.c_str());
}

}  // namespace

RelayLoad LoadRelayDll(const std::string& path, UniqueModule& module) {
    LoadCall* call = new LoadCall{path};
    const unsigned long limitMs = RelayCallLimitMs();
    const GuardedCallResult outcome = RunGuarded(LoadOnItsThread, call, limitMs);
    if (outcome.end == GuardedEnd::Returned) {
        module.reset(call->module);
        delete call;
        return module ? RelayLoad::Loaded : RelayLoad::Failed;
    }
    // Armed before anything else: even this line's writing could come to
    // wait on the loader.
    ArmProcessWatchdog(WebPostTimeBoundMs());
    LogGuardedCallLost(outcome, limitMs,
                       {"Relaynet DLL Loading Timed Out", "Relaynet DLL Loading Ended Without Returning",
                        "Relaynet DLL Loading Crashed"});
    return RelayLoad::NotFinished;  // `call` stays: the loader may still write to it
}
