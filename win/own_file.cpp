#include "win/own_file.h"

#include <windows.h>

#include "win/owners.h"

namespace {
// A name whose file another process is removing cannot be made again until
// the file is gone; the attempt reads as access denied.
bool NameInUse(const std::string& path, DWORD error) {
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return true;
    return error == ERROR_ACCESS_DENIED && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MarkForRemoval(HANDLE file) {
    FILE_DISPOSITION_INFO removal{};
    removal.DeleteFile = TRUE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &removal, sizeof removal) != 0;
}

unsigned long long Ticks(const FILETIME& time) {
    return static_cast<unsigned long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

bool Identify(HANDLE file, OwnFile& known) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) return false;
    known.volume = info.dwVolumeSerialNumber;
    known.indexHigh = info.nFileIndexHigh;
    known.indexLow = info.nFileIndexLow;
    known.created = Ticks(info.ftCreationTime);
    return true;
}

bool SameFile(const OwnFile& a, const OwnFile& b) {
    return a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow && a.created == b.created;
}

// Returns `end` with the thread's last error as it was on entry.
template <typename T>
T KeepingLastError(T end, DWORD error) {
    SetLastError(error);
    return end;
}
}  // namespace

NewFile CreateOwnFile(const std::string& path, std::string_view bytes, OwnFile& made) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        return KeepingLastError(NameInUse(path, error) ? NewFile::NameTaken : NewFile::Failed, error);
    }
    DWORD written = 0;
    made.path = path;
    if (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && Identify(file.get(), made))
        return NewFile::Created;
    // Nobody may pick up a cut file.
    const DWORD error = GetLastError();
    MarkForRemoval(file.get());
    return KeepingLastError(NewFile::Failed, error == ERROR_SUCCESS ? ERROR_WRITE_FAULT : error);
}

bool RemoveOwnFile(const OwnFile& file) {
    // The handle holds the file it opened: the name cannot pass to another
    // file between the comparison and the removal.
    UniqueFile opened(CreateFileA(file.path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!opened) {
        const DWORD error = GetLastError();
        return KeepingLastError(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND, error);
    }
    OwnFile found;
    if (!Identify(opened.get(), found)) return false;
    if (!SameFile(found, file)) return true;  // another file has the name now
    return MarkForRemoval(opened.get());
}
