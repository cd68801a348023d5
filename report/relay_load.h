#pragma once
// Loading the agent's relay DLL, bounded like a relay call: a DLL whose
// initialisation never returns must not hold up the run.
#include <string>

#include "win/owners.h"

enum class RelayLoad {
    Loaded,       // `module` holds the DLL
    Failed,       // the system could not load it
    NotFinished,  // its initialisation did not return within the limit
};

// Loads the DLL at `path` on a thread of its own, waiting for it at most
// RelayCallLimitMs(). NotFinished is logged here and leaves the system's
// loader held, perhaps for good: loading or unloading any DLL, starting or
// ending a thread, may then wait forever. The process watchdog is armed at
// once with the bound of a whole post, so the run still ends.
RelayLoad LoadRelayDll(const std::string& path, UniqueModule& module);
