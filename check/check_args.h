#pragma once
// The command line of KestrovaneCheck.exe, after the program's own path:
//
//   (nothing)                    check the installation
//   JOB.xml                      show what the job would do on this machine
//   JOB.xml --listing FILE       the same against a saved "powercfg /l" output
//   --help                       show the usage
//
// Platform-free; the arguments arrive in UTF-16 and paths stay exact.
#include <string>
#include <vector>

// The program's exit codes.
inline constexpr int kExitSound = 0;     // the job would succeed, or the installation is sound
inline constexpr int kExitFails = 1;     // the job would fail, or a check failed
inline constexpr int kExitUnusable = 2;  // the command line or the job document could not be used

enum class CheckMode { Installation, Job, Help, Unusable };

struct CheckArgs {
    CheckMode mode = CheckMode::Installation;
    std::wstring jobPath;
    std::wstring listingPath;  // empty: the machine's own listing
    // CheckMode::Unusable: why, and the argument it is about (may be empty).
    std::string reason;
    std::wstring argument;
};

CheckArgs ParseCheckArgs(const std::vector<std::wstring>& args);

// The text --help prints.
extern const char kCheckUsage[];
