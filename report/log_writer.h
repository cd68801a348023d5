#pragma once
// The daily, tab-separated log. Each call opens the day's file, appends one
// record (after the header when the file is new) and closes it again. The
// writer never fails towards its caller: a line that cannot be written is lost.
// A line break in a value is written as a blank (see LineBreaks in
// log_format.h), so each call writes one line.
#include <string>
#include <string_view>

inline constexpr char kAppName[] = "Kestrovane";

void WriteLog(std::string_view application, std::string_view module, std::string_view type, std::string_view val1,
              std::string_view val2, std::string_view val3);

// WriteLog with the application name of this program.
inline void LogLine(std::string_view module, std::string_view type, std::string_view val1, std::string_view val2,
                    std::string_view val3) {
    WriteLog(kAppName, module, type, val1, val2, val3);
}

// LogLine for the status record about to be posted, passed as val3: the
// record keeps the line breaks of its own layout (each followed by a tab),
// where any other line logs every line break as a blank.
void LogLineWithStatusRecord(std::string_view module, std::string_view type, std::string_view val1,
                             std::string_view val2, std::string_view record);

// LogLine that tells whether the line reached the file. The run writes its
// first line this way to learn whether it can leave a trace at all.
[[nodiscard]] bool LogLineWritten(std::string_view module, std::string_view type, std::string_view val1,
                                  std::string_view val2, std::string_view val3);

// The log folder: the installation path followed by "\ApplicationLog\DorvikLog".
std::string LogFolder();
