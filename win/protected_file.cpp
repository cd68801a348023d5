#include "win/protected_file.h"

#include <windows.h>
#include <sddl.h>

#include <algorithm>
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

DWORD WriteAll(HANDLE file, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
        if (!WriteFile(file, content.data() + done, chunk, &written, nullptr)) return GetLastError();
        done += written;
    }
    return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}
}  // namespace

DWORD OpenProtectedFile(const std::string& path, DWORD access, DWORD share, DWORD disposition, UniqueFile& file) {
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
    attributes.bInheritHandle = FALSE;  // a child left running never holds the file
    file.reset(CreateFileA(path.c_str(), access, share, &attributes, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? ERROR_SUCCESS : GetLastError();
}

DWORD ReplaceProtectedFile(const std::string& path, const std::string& content) {
    const std::string fresh = path + ".new";
    DeleteFileA(fresh.c_str());  // left by a process ended while writing it
    DWORD error = ERROR_SUCCESS;
    {
        UniqueFile file;
        error = OpenProtectedFile(fresh, GENERIC_WRITE, 0, CREATE_NEW, file);
        if (error == ERROR_SUCCESS) error = WriteAll(file.get(), content);
    }
    if (error == ERROR_SUCCESS &&
        !MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS) DeleteFileA(fresh.c_str());
    return error;
}
