#include "win/os_info.h"

#include <windows.h>

#include <string>

#include "base/fixed_text.h"
#include "base/os_display.h"
#include "win/file_helpers.h"

bool Is64BitWindows() {
    char windows[512] = {};
    const UINT n = GetWindowsDirectoryA(windows, sizeof windows);
    if (n == 0 || n >= sizeof windows) return false;
    std::string root(windows);
    const std::size_t slash = root.find('\\');
    if (slash == std::string::npos) return false;
    root.resize(slash + 1);  // keep only the drive's root, "C:\"
    return FileExists(root + "Program Files (x86)");
}

bool IsVistaOrLaterOs() {
    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) return extended.dwMajorVersion > 5;
    OSVERSIONINFOA basic{};
    basic.dwOSVersionInfoSize = sizeof basic;
    if (GetVersionExA(&basic)) return basic.dwMajorVersion > 5;
    return false;
}

std::optional<OsVersion> ThisOsVersion() {
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return std::nullopt;
    OsVersion version;
    version.platformId = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.productType = info.wProductType;
    version.servicePack.assign(FieldText(info.szCSDVersion));
    return version;
}

bool GetOSDisplayString(char (&text)[256], int32_t& osCode) {
    const std::optional<OsVersion> version = ThisOsVersion();
    if (!version) return false;
    const OsDisplay display = BuildOsDisplay(*version, osCode);
    if (!display.written) return false;
    StoreTextCut(text, display.text);
    osCode = display.osCode;
    return true;
}
