#include "report/configured_url.h"

#include <windows.h>

#include "run/installation.h"

std::string ConfiguredStatusUrl(std::string_view installationPath) {
    // Read into more room than the field has, so that a longer value is
    // noticed instead of being cut into a wrong address.
    char url[2048] = {};
    const DWORD length = GetPrivateProfileStringA("wpdcmscriptjobinstancestatus", "URL", "", url, sizeof url,
                                                  PathwellIniIn(installationPath).c_str());
    return std::string(url, length);
}
