#include "simulator/sim_console.h"

#include <windows.h>

#include "simulator/sim_text.h"

namespace {

void WriteToHandle(DWORD which, const std::string& utf8) {
    const std::string bytes = Utf8ToOem(utf8);
    const HANDLE handle = GetStdHandle(which);
    if (bytes.empty() || handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
            written == 0)
            return;  // the reader has gone; nothing more to do
        done += written;
    }
}

}  // namespace

void WriteStandardOutput(const std::string& utf8) { WriteToHandle(STD_OUTPUT_HANDLE, utf8); }

void WriteStandardError(const std::string& utf8) { WriteToHandle(STD_ERROR_HANDLE, utf8); }
