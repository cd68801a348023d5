#include "win/append_file.h"

#include <windows.h>

#include "win/owners.h"

namespace {
// The append lock is one byte far past any end a log reaches: it keeps
// writers apart without keeping readers from any of the file's text.
constexpr DWORD kLockOffsetHigh = 0x100;  // 1 TiB
constexpr ULONGLONG kLockWaitMs = 2000;

OVERLAPPED LockPlace() {
    OVERLAPPED place{};
    place.OffsetHigh = kLockOffsetHigh;
    return place;
}

// Takes the append lock; false when another writer kept it past the wait.
bool TakeAppendLock(HANDLE file) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        OVERLAPPED place = LockPlace();
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place)) return true;
        if (GetTickCount64() - start >= kLockWaitMs) return false;
        Sleep(1);
    }
}

void LetGoOfAppendLock(HANDLE file) {
    OVERLAPPED place = LockPlace();
    UnlockFileEx(file, 0, 1, 0, &place);
}
}  // namespace

bool AppendWhole(const std::string& path, std::string_view header, std::string_view bytes) {
    // Without FILE_WRITE_DATA every write goes to the end of the file as it is
    // at that moment; reading rights are there for the lock and the size.
    UniqueFile file(CreateFileA(path.c_str(), FILE_APPEND_DATA | FILE_READ_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const bool locked = TakeAppendLock(file.get());
    LARGE_INTEGER size{};
    const bool empty = GetFileSizeEx(file.get(), &size) && size.QuadPart == 0;
    std::string whole;
    if (empty) whole.assign(header);
    whole.append(bytes);
    DWORD written = 0;
    const bool done = WriteFile(file.get(), whole.data(), static_cast<DWORD>(whole.size()), &written, nullptr) &&
                      written == whole.size();
    if (locked) LetGoOfAppendLock(file.get());
    return done;
}
