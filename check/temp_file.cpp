#include "check/temp_file.h"

#include <windows.h>

#include "win/owners.h"

// The file is made here with CREATE_NEW, not by GetTempFileNameA: that call
// can report success where it made no file, and a probe must not be fooled.
TempFile::TempFile(const std::string& folder) {
    const std::string base = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
    const unsigned long process = GetCurrentProcessId();
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string path = base + "kvc" + std::to_string(process) + "-" + std::to_string(attempt) + ".tmp";
        UniqueFile file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr));
        error_ = file ? 0 : GetLastError();
        if (error_ == ERROR_FILE_EXISTS) continue;
        if (file) path_ = path;
        return;
    }
}

TempFile::~TempFile() {
    if (made()) DeleteFileA(path_.c_str());
}

std::string TempFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(sizeof path, path);
    return std::string(path, n < sizeof path ? n : 0);
}
