#pragma once
// The one process-wide record of a run: its outcome, the status description
// posted at the end. It is written and read through report/reporter.h;
// everything else a run knows is passed to what needs it.
struct RunContext {
    char StatusDescription[1024]{};
};

extern RunContext g_ctx;

// Puts the run context back to its starting state (used between test cases).
void ResetRunContext();
