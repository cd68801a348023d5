#include "check/temp_file.h"

#include <windows.h>

TempFile::TempFile(const std::string& folder) {
    char path[MAX_PATH] = {};
    if (GetTempFileNameA(folder.c_str(), "kvc", 0, path) != 0)
        path_ = path;
    else
        error_ = GetLastError();
}

TempFile::~TempFile() {
    if (made()) DeleteFileA(path_.c_str());
}

std::string TempFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(sizeof path, path);
    return std::string(path, n < sizeof path ? n : 0);
}
