#include "win/file_helpers.h"

#include <windows.h>

#include "win/owners.h"

bool FileExists(const std::string& path) {
    WIN32_FIND_DATAA data;
    UniqueFind find(FindFirstFileA(path.c_str(), &data));
    return static_cast<bool>(find);
}

void CreateFolderPath(const std::string& path) {
    const std::size_t first = path.find('\\');
    if (first == std::string::npos) return;
    for (std::size_t pos = path.find('\\', first + 1); pos != std::string::npos; pos = path.find('\\', pos + 1))
        CreateDirectoryA(path.substr(0, pos + 1).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

std::string ProgramFolder() {
    char path[MAX_PATH * 4] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n < sizeof path ? n : 0);
    const std::size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}
