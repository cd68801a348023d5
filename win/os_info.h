#pragma once
// Which Windows the program runs on.
#include <cstdint>
#include <optional>

#include "base/os_display.h"

// True when "Program Files (x86)" exists on the drive of the Windows folder.
bool Is64BitWindows();
// True when the major version is above 5 (Vista, Server 2008, 7 and later).
bool IsVistaOrLaterOs();
// This Windows' version record; nothing when it cannot be read.
std::optional<OsVersion> ThisOsVersion();
// Writes the readable system name into `text` (256 bytes) and the system code
// into `osCode`, which keeps its value for a version outside 6.0 and 6.1.
// False when the version is unknown (nothing changes).
[[nodiscard]] bool GetOSDisplayString(char (&text)[256], int32_t& osCode);
