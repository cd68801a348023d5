#include "base/os_display.h"

#include "base/text.h"

namespace {
constexpr unsigned kPlatformNt = 2;
constexpr unsigned kWorkstation = 1;
constexpr std::size_t kMaxDisplay = 161;  // the caller's buffer is 256 bytes
}  // namespace

OsDisplay BuildOsDisplay(const OsVersion& version, int32_t previousOsCode) {
    OsDisplay display;
    display.osCode = previousOsCode;
    if (version.platformId != kPlatformNt || version.major <= 4) return display;

    display.written = true;
    display.text = "Microsoft ";
    int32_t base = 0;
    if (version.major == 6 && version.minor == 0) {
        const bool workstation = version.productType == kWorkstation;
        display.text += workstation ? "Windows Vista " : "Windows Server 2008 ";
        base = workstation ? 1 : 2;
    } else if (version.major == 6 && version.minor == 1) {
        const bool workstation = version.productType == kWorkstation;
        display.text += workstation ? "Windows 7 " : "Windows Server 2008 R2 ";
        base = workstation ? 3 : 4;
    }
    if (base == 0) return display;

    display.osCode = base;
    if (!version.servicePack.empty()) {
        // One blank more, so two stand between the name and the pack.
        display.text += " " + version.servicePack;
        const std::string pack = version.servicePack.substr(0, 255);
        for (int number = 1; number <= 3; ++number)
            if (EqualsNoCaseAscii(pack, "Service Pack " + std::to_string(number))) display.osCode = base * 10 + number;
    }
    if (display.text.size() > kMaxDisplay) display.text.resize(kMaxDisplay);
    return display;
}
