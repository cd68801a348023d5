#pragma once
// The one process-wide state record of a run. It is zero-filled at start and
// read and written directly by every subsystem.
#include <windows.h>
#include <oaidl.h>
#include <cstdint>
#include <vector>

#include "run/agent_identity.h"
#include "run/job_args.h"
#include "run/job_header.h"
#include "run/scheme_entry.h"

// The relay DLL's entry point: seven texts by value, then result, error and
// error text as VARIANTs that start empty. Its own return value is not used.
using WebPostDataProc = void(WINAPI*)(VARIANT url, VARIANT record, VARIANT mode, VARIANT a4, VARIANT a5, VARIANT a6,
                                      VARIANT a7, VARIANT* result, VARIANT* error, VARIANT* errorText);

struct RunContext {
    AgentIdentity Agent{};
    bool Is64BitMachine = false;
    JobArgs Args{};
    JobHeader Header{};
    bool IsVistaOrLater = false;
    int32_t OsCode = 0;
    char StatusDescription[1024]{};
    char StatusUrl[260]{};
    WebPostDataProc WebPostDataEntry = nullptr;
    int32_t StatusFileEnabled = 0;
    char LastErrorNumber[256]{};
    char LastErrorText[1024]{};
    // The installed plans as the last listing showed them, in listing order.
    std::vector<SchemeEntry> SchemeList;
};

extern RunContext g_ctx;

// Puts the run context back to its starting state (used between test cases).
void ResetRunContext();
