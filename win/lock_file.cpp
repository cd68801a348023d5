#include "win/lock_file.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

namespace {
// The SID of the process's user in its text form, or an error number.
DWORD UserSidText(std::string& sid) {
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return GetLastError();
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) return GetLastError();
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return GetLastError();
    char* text = nullptr;
    if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) return GetLastError();
    UniqueLocal owned(text);
    sid = text;
    return ERROR_SUCCESS;
}

// Opens or creates the file without sharing; returns the error number.
DWORD OpenLockFile(const std::string& path, UniqueFile& holder) {
    std::string user;
    if (const DWORD error = UserSidText(user)) return error;
    // "P": the folder's inheritable entries are not added to these three.
    const std::string sddl = "D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;FA;;;" + user + ")";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return GetLastError();
    UniqueLocal ownedDescriptor(descriptor);
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = descriptor;
    attributes.bInheritHandle = FALSE;  // a child left running never holds the lock
    holder.reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, &attributes, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    return holder ? ERROR_SUCCESS : GetLastError();
}
}  // namespace

LockAttempt TryHoldLockFile(const std::string& path, UniqueFile& holder) {
    const DWORD error = OpenLockFile(path, holder);
    if (error == ERROR_SUCCESS) return LockAttempt::Taken;
    SetLastError(error);
    return error == ERROR_SHARING_VIOLATION ? LockAttempt::Busy : LockAttempt::Failed;
}
