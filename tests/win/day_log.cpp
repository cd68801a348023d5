#include "tests/win/day_log.h"

#include <windows.h>

#include <cstdio>

#include "tests/win/temp_folder.h"
#include "win/owners.h"

std::string LogFolderUnder(const std::string& root) { return root + "\\ApplicationLog\\DorvikLog"; }

std::string TodaysLogPath(const std::string& root) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char name[64];
    std::snprintf(name, sizeof name, "\\Kestrovane_[%02d%02d%04d].Log", now.wDay, now.wMonth, now.wYear);
    return LogFolderUnder(root) + name;
}

std::string ReadRunLog(const std::string& root) {
    const std::string folder = LogFolderUnder(root);
    std::string text;
    WIN32_FIND_DATAA data;
    UniqueFind find(FindFirstFileA((folder + "\\*.Log").c_str(), &data));
    if (!find) return text;
    do {
        text += ReadWholeFile(folder + "\\" + data.cFileName);
    } while (FindNextFileA(find.get(), &data));
    return text;
}
