#pragma once
// The command line of KestrovaneCheck.exe, after the program's own path:
//
//   (nothing)                    check the installation
//   JOB.xml                      show what the job would do on this machine
//   JOB.xml --listing FILE       the same against a saved "powercfg /l" output
//   JOB.xml --listing FILE --values FILE
//                                the same with that machine's saved
//                                "powercfg /q <plan>" outputs
//   JOB.xml [...] --compliance   the exit code says whether the machine is
//                                already as the job would leave it
//   JOB.xml [--listing FILE] FACTS...
//                                the same on a machine with other facts:
//     --windows MAJOR.MINOR      its Windows version (two numbers, e.g. 6.1)
//     --service-pack N           its service pack (0: none; needs --windows)
//     --server                   a server edition (needs --windows)
//     --hibernation yes|no       whether it supports hibernation
//     --code-page N              the listing's console code page (needs --listing)
//   --help                       show the usage
//
// Every option is given at most once and needs a job document. A fact not
// given is this machine's, except that --windows alone stands for a
// workstation without a service pack. Platform-free; the arguments arrive in
// UTF-16 and paths stay exact.
#include <optional>
#include <string>
#include <vector>

// The program's exit codes.
inline constexpr int kExitSound = 0;  // the job would succeed, or the installation is sound
inline constexpr int kExitFails = 1;  // the job would fail, or a check failed
// With --compliance, 0 only when the job would succeed and change nothing; 1
// when it would change something or fail, or a plan's values or the
// hibernation switch cannot be read (a setting Windows hides does not count).
inline constexpr int kExitUnusable = 2;  // the command line or the job document could not be used

enum class CheckMode { Installation, Job, Help, Unusable };

struct WindowsVersion {
    unsigned major = 0;
    unsigned minor = 0;
};

// The facts of the machine a job is checked for, as the options give them;
// each one unset is this machine's.
struct FactOptions {
    std::optional<WindowsVersion> windows;    // --windows
    std::optional<unsigned> servicePack;      // --service-pack; 0: none
    std::optional<bool> server;               // --server (only ever true)
    std::optional<bool> hibernation;          // --hibernation
    std::optional<unsigned> listingCodePage;  // --code-page, one AnsiCodePageForOem knows
};

struct CheckArgs {
    CheckMode mode = CheckMode::Installation;
    std::wstring jobPath;
    std::wstring listingPath;  // empty: the machine's own listing
    std::wstring valuesPath;   // empty: this machine's values, or none with a listing
    bool compliance = false;
    FactOptions facts;
    // CheckMode::Unusable: why, and the argument it is about (may be empty).
    std::string reason;
    std::wstring argument;
};

CheckArgs ParseCheckArgs(const std::vector<std::wstring>& args);

// The text --help prints.
extern const char kCheckUsage[];
