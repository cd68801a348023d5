// powrprof.dll as the simulator's machine answers it, for tests:
// PowerReadFriendlyName gives a plan's exact name in UTF-16 from the state
// file that KV_POWERCFG_STATE names, where the simulated listing may show only
// a look-alike (Wine's own answers that it is not implemented). Only a plan's
// own name is modelled; the size is in bytes, terminator included.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "simulator/sim_files.h"
#include "simulator/sim_state.h"
#include "simulator/sim_text.h"

extern "C" DWORD WINAPI PowerReadFriendlyName(HKEY, const GUID* scheme, const GUID* subgroup, const GUID* setting,
                                              PUCHAR buffer, LPDWORD size) {
    if (scheme == nullptr || subgroup != nullptr || setting != nullptr || size == nullptr)
        return ERROR_INVALID_PARAMETER;
    SimState state = DefaultSimState();
    std::string text, error;
    const FileRead read = ReadFileBytes(EnvironmentText(L"KV_POWERCFG_STATE"), text);
    if (read == FileRead::Failed || (read == FileRead::Ok && !ParseSimState(text, state, error)))
        return ERROR_READ_FAULT;
    char guid[37];
    const GUID& g = *scheme;
    std::snprintf(guid, sizeof guid, "%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x",
                  static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3],
                  g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    const SimPlan* plan = FindPlan(state, guid);
    if (plan == nullptr) return ERROR_FILE_NOT_FOUND;
    const std::wstring name = Utf8ToWide(plan->name);
    const DWORD needed = static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)), room = *size;
    *size = needed;
    if (buffer == nullptr) return ERROR_SUCCESS;
    if (room < needed) return ERROR_MORE_DATA;
    std::memcpy(buffer, name.c_str(), needed);
    return ERROR_SUCCESS;
}
