// The files a run uses, checked as a run would use them, changing nothing.
#include <windows.h>

#include "check/check_args.h"
#include "check/check_output.h"
#include "check/install_check.h"
#include "check/temp_file.h"
#include "power/command_runner.h"
#include "power/this_machine.h"
#include "report/log_writer.h"
#include "report/post_log_text.h"
#include "report/configured_url.h"
#include "run/installation.h"
#include "win/file_helpers.h"
#include "win/module_path.h"
#include "win/guarded_call.h"
#include "win/owners.h"
#include "win/text_convert.h"

namespace {
// A run makes the log folder when it is missing; a temporary file in it, or
// in the folder it would be made in, shows whether a run can write there.
void CheckLogFolder(CheckList& list, const std::string& installationPath) {
    const std::string folder = LogFolderIn(installationPath);
    const std::string what = "log folder " + folder;
    std::string existing = folder;
    while (existing.size() > installationPath.size() && !FolderExists(existing)) existing = FolderOf(existing);
    if (existing.size() < installationPath.size() || !FolderExists(existing)) {
        list.Fault(what, "the installation folder does not exist; create it and copy the package's files there");
        return;
    }
    const TempFile probe(existing);
    if (!probe.made()) {
        list.Fault(what, "cannot be written (" + ErrorText(probe.error()) + " in " + existing +
                             "); let the account the agent runs under write there");
        return;
    }
    list.Ok(what, existing == folder ? std::string() : "not there yet; a run makes it");
}

void CheckStatusUrl(CheckList& list, const std::string& installationPath) {
    const std::string ini = PathwellIniIn(installationPath);
    const std::string what = "status server URL in " + ini;
    if (!FileExists(ini)) {
        list.Fault(what, "the file does not exist; create it as INSTALL.txt shows");
        return;
    }
    const std::string url = ConfiguredStatusUrl(installationPath);
    if (url.empty()) {
        list.Fault(what, "no URL is set; set it as INSTALL.txt shows");
    } else if (url.size() > kMaxConfiguredUrl) {
        list.Fault(what, "longer than " + std::to_string(kMaxConfiguredUrl) +
                             " characters; give the status server's shorter base URL");
    } else if (url.back() == '/') {
        list.Warn(what, UrlForLog(url) + " ends with \"/\", so a run posts to \"" + UrlForLog(url) +
                            "/...\"; remove the trailing slash");
    } else {
        list.Ok(what, UrlForLog(url));
    }
}

// POWERCFG from the system folder, and its listing as a run reads it.
void CheckPowercfg(CheckList& list) {
    const std::string program = PowercfgProgram();
    const std::string what = "POWERCFG " + program;
    if (!FileExists(program)) {
        list.Fault(what, "does not exist; a run cannot change plans on this Windows");
        return;
    }
    const PlanListing listing = ListPlans(std::string());
    if (listing.refusal) {
        list.Fault(what, "its listing cannot be used: " + listing.refusal->status);
        return;
    }
    list.Ok(what, std::to_string(listing.plans.size()) + " plans listed");
}

void CheckExecutor(CheckList& list) {
    const std::string name = std::string(kAppName) + ".exe";
    const std::string path = FileBesideExecutable(name.c_str());
    if (path.empty() || !FileExists(path)) {
        list.Fault(name, "not found beside this program; copy it from the package");
        return;
    }
    list.Ok(name, path);
}
}  // namespace

void CheckInstallFiles(CheckList& list, const std::string& installationPath) {
    if (installationPath.empty()) {
        for (const char* what : {"log folder", "status server URL"}) list.Skip(what, "no usable InstallationPath");
    } else {
        CheckLogFolder(list, installationPath);
        CheckStatusUrl(list, installationPath);
    }
    CheckPowercfg(list);
    CheckExecutor(list);
}

int CheckInstallation() {
    CheckList list;
    const std::string installationPath = CheckAgentKey(list);
    CheckInstallFiles(list, installationPath);
    CheckRunFiles(list, installationPath);
    // Last: a relay that does not finish loading may hold the system's loader,
    // which starting POWERCFG could then wait on.
    if (installationPath.empty())
        list.Skip("relay", "no usable InstallationPath");
    else
        CheckRelay(list, installationPath);
    const int code = list.faults() == 0 ? kExitSound : kExitFails;
    if (code == kExitSound)
        PrintLine("the installation is sound");
    else
        PrintLine("the installation has " + std::to_string(list.faults()) +
                  (list.faults() == 1 ? " fault" : " faults"));
    // Ending the usual way would wait on a loader a relay still holds.
    if (GuardedCallLeftBehind()) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
    return code;
}
