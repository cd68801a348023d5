#include "power/left_copy_record.h"

#include <windows.h>

#include <algorithm>

#include "base/text.h"
#include "power/left_copy.h"
#include "power/scheme_list.h"
#include "win/file_helpers.h"
#include "win/protected_file.h"

namespace {
bool WriteLeftCopies(const std::string& recordPath, const std::vector<SchemeEntry>& copies) {
    if (copies.empty()) {
        if (DeleteFileA(recordPath.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return true;
        return false;
    }
    const DWORD error = ReplaceProtectedFile(recordPath, LeftCopiesText(copies));
    SetLastError(error);
    return error == ERROR_SUCCESS;
}
}  // namespace

std::vector<SchemeEntry> ReadLeftCopies(const std::string& recordPath) {
    if (!FileExists(recordPath)) return {};
    return LeftCopiesFrom(ReadCapturedOutput(recordPath));
}

bool RecordLeftCopy(const std::string& recordPath, const SchemeEntry& copy) {
    std::vector<SchemeEntry> copies = ReadLeftCopies(recordPath);
    copies.push_back(copy);
    return WriteLeftCopies(recordPath, copies);
}

void ForgetLeftCopy(const std::string& recordPath, const std::string& guid) {
    std::vector<SchemeEntry> copies = ReadLeftCopies(recordPath);
    copies.erase(std::remove_if(copies.begin(), copies.end(),
                                [&](const SchemeEntry& copy) { return EqualsNoCaseAscii(copy.SchemeGuid, guid); }),
                 copies.end());
    static_cast<void>(WriteLeftCopies(recordPath, copies));
}
