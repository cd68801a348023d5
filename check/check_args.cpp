#include "check/check_args.h"

namespace {
CheckArgs Unusable(const char* reason, const std::wstring& argument = {}) {
    CheckArgs refused;
    refused.mode = CheckMode::Unusable;
    refused.reason = reason;
    refused.argument = argument;
    return refused;
}
}  // namespace

CheckArgs ParseCheckArgs(const std::vector<std::wstring>& args) {
    CheckArgs parsed;
    bool listing = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg == L"--help" || arg == L"/?") {
            parsed.mode = CheckMode::Help;
            return parsed;
        }
        if (arg == L"--listing") {
            if (listing) return Unusable("--listing is given twice");
            if (i + 1 == args.size() || args[i + 1].empty()) return Unusable("--listing needs a file after it");
            parsed.listingPath = args[++i];
            listing = true;
        } else if (arg.rfind(L"--", 0) == 0) {
            return Unusable("unknown option", arg);
        } else if (arg.empty()) {
            return Unusable("the job document's path is empty");
        } else if (!parsed.jobPath.empty()) {
            return Unusable("more than one job document", arg);
        } else {
            parsed.jobPath = arg;
        }
    }
    if (parsed.jobPath.empty() && listing) return Unusable("--listing needs a job document");
    parsed.mode = parsed.jobPath.empty() ? CheckMode::Installation : CheckMode::Job;
    return parsed;
}

const char kCheckUsage[] =
    "Usage:\n"
    "  KestrovaneCheck.exe                          checks this installation as a run would find it\n"
    "  KestrovaneCheck.exe JOB.xml                  shows what the job would do on this machine\n"
    "  KestrovaneCheck.exe JOB.xml --listing FILE   the same against a listing saved elsewhere\n"
    "                                               with: powercfg /l > FILE\n"
    "  KestrovaneCheck.exe --help                   shows this text\n"
    "Nothing is changed: the only command run is the listing \"powercfg.exe /l\" (none with --listing).\n"
    "Exit codes: 0 all is well, 1 the job would fail or a check failed,\n"
    "            2 the command line or the job document could not be used.";
