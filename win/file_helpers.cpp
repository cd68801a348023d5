#include "win/file_helpers.h"

#include <windows.h>

#include "win/owners.h"
#include "win/text_convert.h"

bool FileExists(const std::string& path) {
    WIN32_FIND_DATAA data;
    UniqueFind find(FindFirstFileA(path.c_str(), &data));
    return static_cast<bool>(find);
}

bool FileExists(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileW(path.c_str(), &data));
    return static_cast<bool>(find);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void CreateFolderPath(const std::string& path) {
    // In a double-byte code page the second byte of a character can be 0x5C:
    // only a backslash of its own separates folders.
    const LeadBytes lead = AnsiLeadBytes();
    const std::size_t first = lead.Find(path, '\\');
    if (first == std::string::npos) return;
    for (std::size_t pos = lead.Find(path, '\\', first + 1); pos != std::string::npos;
         pos = lead.Find(path, '\\', pos + 1))
        CreateDirectoryA(path.substr(0, pos + 1).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = AnsiLeadBytes().FindLast(path, '\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ProgramFolder() {
    char path[MAX_PATH * 4] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return FolderOf(std::string(path, n < sizeof path ? n : 0));
}
