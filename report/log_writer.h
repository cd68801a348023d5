#pragma once
// The daily, tab-separated log. Each call opens the day's file, appends one
// record (after the header when the file is still empty) and closes it again;
// the record reaches the file whole, whatever other runs append at the same
// moment. The writer never fails towards its caller: a line that cannot be
// written is lost. Nothing is written until the program names where the log
// goes, so that a program sharing this code without naming one leaves no log
// behind. A line break or a tab in a value is written as a blank (see
// LineBreaks in log_format.h), so each call writes one line of seven columns.
#include <string>
#include <string_view>

inline constexpr char kAppName[] = "Kestrovane";

// Where the lines go: the log folder below the installation path; the REGID
// and the machine's width go into a new file's header.
struct LogDestination {
    std::string installationPath;
    std::string regid;
    bool is64BitMachine = false;
};
// From now on every line goes to `destination`.
void SetLogDestination(const LogDestination& destination);
// From now on no line is written.
void ClearLogDestination();

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

// The log folder: the destination's installation path followed by
// "\ApplicationLog\DorvikLog".
std::string LogFolder();
