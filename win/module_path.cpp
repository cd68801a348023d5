#include "win/module_path.h"

#include <windows.h>

#include "win/text_convert.h"

std::string FileBesideExecutable(const char* name) {
    char path[1024] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return std::string();
    const std::string executable(path, n);
    const std::size_t slash = AnsiLeadBytes().FindLast(executable, '\\');
    if (slash == std::string::npos) return std::string();
    std::string file = executable.substr(0, slash + 1) + name;
    if (file.size() >= sizeof path) return std::string();
    return file;
}
