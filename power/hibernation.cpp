#include "power/hibernation.h"

#include <windows.h>
#include <powrprof.h>

#include <optional>

#include "win/system_library.h"

namespace {
// The machine's power capabilities; nothing when they cannot be asked for.
std::optional<SYSTEM_POWER_CAPABILITIES> Capabilities() {
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
    if (!query || !query(&capabilities)) return std::nullopt;
    return capabilities;
}
}  // namespace

bool HibernationSupported() {
    const std::optional<SYSTEM_POWER_CAPABILITIES> capabilities = Capabilities();
    return capabilities && capabilities->SystemS4 != FALSE;
}

std::optional<bool> HibernationOn() {
    const std::optional<SYSTEM_POWER_CAPABILITIES> capabilities = Capabilities();
    if (!capabilities) return std::nullopt;
    return capabilities->HiberFilePresent != FALSE;
}
