#include "check/check_output.h"

#include <windows.h>

#include <string>

#include "win/text_convert.h"

namespace {
void WriteLines(DWORD which, std::string_view text) {
    std::string lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.append(text.substr(start, end - start));  // to the "\n", or to the end
        lines += "\r\n";
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    const HANDLE out = GetStdHandle(which);
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(out, &mode)) {
        const std::wstring wide = AnsiToWide(lines);
        WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    WriteFile(out, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
}
}  // namespace

void PrintLine(std::string_view text) { WriteLines(STD_OUTPUT_HANDLE, text); }

void PrintErrorLine(std::string_view text) { WriteLines(STD_ERROR_HANDLE, text); }
