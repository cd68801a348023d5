#include "report/report_file.h"

#include <windows.h>

#include <cstdio>

#include "report/log_writer.h"

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    bool written = false;
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        written = (std::fclose(file) == 0) && written;
        if (!written) DeleteFileA(path.c_str());
    }
    return written;
}

bool WriteReportFile(std::string_view module, const std::string& path, std::string_view bytes) {
    const bool written = WriteWholeFile(path, bytes);
    if (!written) LogLine(module, "Error", "Creating File Failed", path, "");
    return written;
}
