#include "report/relay_load.h"

#include <windows.h>

#include <cstdio>

#include "base/time_limit.h"
#include "report/log_writer.h"
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

void LogLoadLost(const GuardedCallResult& outcome, unsigned long limitMs) {
    char code[48];
    switch (outcome.end) {
        case GuardedEnd::TimedOut:
            LogLine("1.0", "CreateWebPost", "ERROR", "Relaynet DLL Loading Timed Out", DurationText(limitMs));
            return;
        case GuardedEnd::EndedItself:
            std::snprintf(code, sizeof code, "Thread Exit Code 0x%08lX",
                          static_cast<unsigned long>(outcome.threadExitCode));
            LogLine("1.0", "CreateWebPost", "ERROR", "Relaynet DLL Loading Ended Without Returning", code);
            return;
        default:
            std::snprintf(code, sizeof code, "Exception 0x%08lX", static_cast<unsigned long>(outcome.exceptionCode));
            LogLine("1.0", "CreateWebPost", "ERROR", "Relaynet DLL Loading Crashed", code);
    }
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
    LogLoadLost(outcome, limitMs);
    return RelayLoad::NotFinished;  // `call` stays: the loader may still write to it
}
