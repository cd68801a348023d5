#pragma once
// The readable system name and the system code that the plan operations log
// and test. Platform-free: the caller supplies the version record.
#include <cstdint>
#include <string>

struct OsVersion {
    unsigned platformId = 0;  // 2 for the NT family
    unsigned major = 0;
    unsigned minor = 0;
    unsigned productType = 0;  // 1 for a workstation
    std::string servicePack;   // e.g. "Service Pack 1", may be empty
};

struct OsDisplay {
    bool written = false;  // false: the version is unknown, nothing changes
    std::string text;      // e.g. "Microsoft Windows 7  Service Pack 1"
    int32_t osCode = 0;    // the code to keep (the previous one when unchanged)
};

// Builds the display name for `version`; `previousOsCode` is kept for every
// version outside 6.0 and 6.1.
OsDisplay BuildOsDisplay(const OsVersion& version, int32_t previousOsCode);
