#include "win/system_library.h"

#include <string>

UniqueModule LoadSystemLibrary(const char* fileName) {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return UniqueModule();
    const std::string path = std::string(folder, length) + "\\" + fileName;
    // The DLL's own imports are looked for in its folder first, not beside the
    // program. (LOAD_LIBRARY_SEARCH_SYSTEM32 needs an update Vista may lack.)
    return UniqueModule(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}
