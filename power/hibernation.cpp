#include "power/hibernation.h"

#include <windows.h>
#include <powrprof.h>

#include "win/system_library.h"

bool HibernationSupported() {
    // The power-management library is loaded here rather than imported: an
    // import of it would be satisfied by a powrprof.dll beside the program.
    const UniqueModule library = LoadSystemLibrary("powrprof.dll");
    using CapabilityQuery = BOOLEAN(WINAPI*)(PSYSTEM_POWER_CAPABILITIES);
    const auto query = library ? reinterpret_cast<CapabilityQuery>(
                                     reinterpret_cast<void*>(GetProcAddress(library.get(), "GetPwrCapabilities")))
                               : nullptr;
    // Zero-filled first: a query that fails leaves nothing that could read as
    // "supported".
    SYSTEM_POWER_CAPABILITIES capabilities{};
    if (!query || !query(&capabilities)) return false;
    return capabilities.SystemS4 != FALSE;
}
