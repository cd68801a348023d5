#pragma once
// The one process-wide state record of a run, zero-filled at start. What is
// left here is the run's outcome and what the plan operations still share;
// everything else is passed to what needs it.
#include <cstdint>
#include <vector>

#include "run/scheme_entry.h"

struct RunContext {
    bool IsVistaOrLater = false;
    int32_t OsCode = 0;
    char StatusDescription[1024]{};
    char LastErrorNumber[256]{};
    char LastErrorText[1024]{};
    // The installed plans as the last listing showed them, in listing order.
    std::vector<SchemeEntry> SchemeList;
};

extern RunContext g_ctx;

// Puts the run context back to its starting state (used between test cases).
void ResetRunContext();
