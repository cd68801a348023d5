// The files and folders a run writes, each checked the way the run writes
// it, changing nothing: a file is opened for writing without being changed,
// and a folder is probed with a temporary file deleted at once.
#include <windows.h>

#include "check/install_check.h"
#include "check/temp_file.h"
#include "power/scheme_list.h"
#include "report/log_format.h"
#include "report/log_writer.h"
#include "run/installation.h"
#include "win/file_helpers.h"
#include "win/owners.h"
#include "win/text_convert.h"

namespace {
const char kMendRights[] = "; let the account the agent runs under write there";

// A folder the run makes its files in: a temporary file must be possible there.
bool ProbeFolder(CheckList& list, const std::string& what, const std::string& folder, const std::string& detail) {
    const TempFile probe(folder);
    if (!probe.made()) {
        list.Fault(what, "cannot be made (" + ErrorText(probe.error()) + " in " + folder + ")" + kMendRights);
        return false;
    }
    list.Ok(what, detail);
    return true;
}

// A file the run opens for writing, or makes when it is missing.
void CheckRunFile(CheckList& list, const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        ProbeFolder(list, path, FolderOf(path), "not there yet; a run makes it");
        return;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        list.Fault(path, "is a folder, where a run needs a file; remove the folder");
        return;
    }
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    const unsigned long error = file ? 0 : GetLastError();
    if (error == ERROR_SHARING_VIOLATION) {
        list.Ok(path, "held by a run now");
    } else if (error != 0) {
        list.Fault(path,
                   "cannot be written (" + ErrorText(error) + ")" +
                       ((attributes & FILE_ATTRIBUTE_READONLY) ? "; clear its read-only attribute" : kMendRights));
    } else {
        list.Ok(path);
    }
}

// The folder of records kept for later delivery: without it, a post that
// fails loses the record.
void CheckPostLogFolder(CheckList& list, const std::string& installationPath) {
    const std::string folder = PostLogFolderIn(installationPath);
    const std::string what = "record folder " + folder;
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        ProbeFolder(list, what, installationPath, "not there yet; a run makes it");
    } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        list.Fault(what, "is a file, where a run keeps undelivered records in a folder; remove the file");
    } else {
        ProbeFolder(list, what, folder, {});
    }
}
}  // namespace

void CheckRunFiles(CheckList& list, const std::string& installationPath) {
    CheckRunFile(list, ListingFilePath());
    if (installationPath.empty()) {
        list.Skip("log file, run lock and record folder", "no usable InstallationPath");
        return;
    }
    // Today's: a run that cannot append to it changes nothing.
    const std::string logFolder = LogFolderIn(installationPath);
    if (FolderExists(logFolder)) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        CheckRunFile(list, LogFileName(logFolder, kAppName, {now.wDay, now.wMonth, now.wYear}));
    }
    for (const std::string& path :
         {RunLockIn(installationPath), NextInLineIn(installationPath), CopyRecordIn(installationPath)})
        CheckRunFile(list, path);
    CheckPostLogFolder(list, installationPath);
}
