// The relay DLL loaded and looked into as a run binds it, its entry point
// never called. The load is bounded like a run's: a DLL whose initialisation
// never returns holds the system's loader, so the check then ends without the
// clean-up that would wait on it.
#include <windows.h>

#include <cstdio>

#include "base/time_limit.h"
#include "check/install_check.h"
#include "report/status_post.h"
#include "run/installation.h"
#include "win/file_helpers.h"
#include "win/guarded_call.h"
#include "win/owners.h"

namespace {
std::string Hex(DWORD code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

// Why a load that did not return is a fault; empty when it returned.
std::string LoadLost(const GuardedCallResult& outcome, unsigned long limitMs) {
    const std::string mend = "; every run then stops before its first step; copy the package's Relaynet.dll there";
    switch (outcome.end) {
        case GuardedEnd::Returned:
            return {};
        case GuardedEnd::TimedOut:
            return "did not finish loading within " + DurationText(limitMs) + mend;
        case GuardedEnd::EndedItself:
            return "ended its thread while loading (exit code " + Hex(outcome.threadExitCode) + ")" + mend;
        default:
            return "crashed while loading (exception " + Hex(outcome.exceptionCode) + ")" + mend;
    }
}
}  // namespace

void CheckRelay(CheckList& list, const std::string& installationPath) {
    const std::string dll = RelayDllIn(installationPath);
    const std::string what = "relay " + dll;
    const std::string mend = "; copy the package's Relaynet.dll there";
    if (!FileExists(dll)) {
        list.Fault(what, "does not exist" + mend);
        return;
    }
    const unsigned long limitMs = RelayCallLimitMs();
    UniqueModule relay;
    DWORD error = 0;
    const std::string lost = LoadLost(LoadLibraryGuarded(dll, limitMs, relay, error), limitMs);
    if (!lost.empty()) {
        list.Fault(what, lost);
    } else if (!relay) {
        list.Fault(what, "cannot be loaded (" + ErrorText(error) + ")" + mend);
    } else if (GetProcAddress(relay.get(), kRelayEntryName) == nullptr) {
        list.Fault(what, std::string("does not export ") + kRelayEntryName + mend);
    } else {
        list.Ok(what);
    }
}
