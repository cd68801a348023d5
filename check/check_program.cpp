#include "check/check_program.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "check/check_args.h"
#include "check/check_output.h"
#include "check/install_check.h"
#include "check/job_check.h"
#include "win/owners.h"
#include "win/text_convert.h"

namespace {
// The arguments after the program's own path, split by the system's rules.
std::vector<std::wstring> ArgumentsOf(const wchar_t* commandLine) {
    int count = 0;
    UniqueLocal owner(CommandLineToArgvW(commandLine, &count));
    std::vector<std::wstring> args;
    const wchar_t* const* argv = static_cast<const wchar_t* const*>(owner.get());
    for (int i = 1; argv != nullptr && i < count; ++i) args.emplace_back(argv[i]);
    return args;
}
}  // namespace

int RunCheck(const wchar_t* commandLine) {
    const CheckArgs args = ParseCheckArgs(ArgumentsOf(commandLine));
    switch (args.mode) {
        case CheckMode::Help:
            PrintLine(kCheckUsage);
            return kExitSound;
        case CheckMode::Unusable:
            PrintErrorLine("KestrovaneCheck: " + args.reason +
                           (args.argument.empty() ? "" : ": " + WideToAnsiShown(args.argument)) +
                           " (KestrovaneCheck.exe --help shows the usage)");
            return kExitUnusable;
        case CheckMode::Job:
            return CheckJob(args);
        default:
            return CheckInstallation();
    }
}
