#include "report/log_writer.h"

#include <windows.h>

#include <optional>
#include <string>

#include "report/log_format.h"
#include "report/status_record.h"
#include "run/installation.h"
#include "win/append_file.h"
#include "win/file_helpers.h"
#include "win/owners.h"

namespace {
std::optional<LogDestination> g_destination;

std::string SessionUserName() {
    char name[1024] = {};
    DWORD size = sizeof name;
    if (!GetUserNameA(name, &size)) name[0] = '\0';
    return name;
}

bool WriteLogRecord(std::string_view application, std::string_view module, std::string_view type, std::string_view val1,
                    std::string_view val2, std::string_view val3, LineBreaks lineBreaks = LineBreaks::Blanked);

std::string TimeText(const SYSTEMTIME& now) {
    char text[256] = {};
    if (!GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, 0, &now, "hh':'mm':'ss tt", text, sizeof text)) text[0] = '\0';
    return text;
}
}  // namespace

void WriteLog(std::string_view application, std::string_view module, std::string_view type, std::string_view val1,
              std::string_view val2, std::string_view val3) {
    // Callers log a failure and then read the thread's last error; opening the
    // log file must not replace it (an existing file sets ERROR_ALREADY_EXISTS).
    const LastErrorKeeper keep;
    WriteLogRecord(application, module, type, val1, val2, val3);
}

void LogLineWithStatusRecord(std::string_view module, std::string_view type, std::string_view val1,
                             std::string_view val2, std::string_view record) {
    const LastErrorKeeper keep;
    WriteLogRecord(kAppName, module, type, val1, val2, record, LineBreaks::StatusRecordInVal3);
}

bool LogLineWritten(std::string_view module, std::string_view type, std::string_view val1, std::string_view val2,
                    std::string_view val3) {
    const LastErrorKeeper keep;
    return WriteLogRecord(kAppName, module, type, val1, val2, val3);
}

void SetLogDestination(const LogDestination& destination) { g_destination = destination; }

void ClearLogDestination() { g_destination.reset(); }

std::string LogFolder() { return LogFolderIn(g_destination ? g_destination->installationPath : std::string()); }

namespace {
// True when the whole line reached the file.
bool WriteLogRecord(std::string_view application, std::string_view module, std::string_view type, std::string_view val1,
                    std::string_view val2, std::string_view val3, LineBreaks lineBreaks) {
    if (!g_destination) return false;
    try {
        const std::string user = SessionUserName();
        const std::string folder = LogFolder();
        if (!FileExists(folder)) CreateFolderPath(folder);

        SYSTEMTIME now;
        GetLocalTime(&now);
        const LogDate date{now.wDay, now.wMonth, now.wYear};
        const std::string recordDate = LogRecordDate(date);
        const std::string timeText = TimeText(now);

        // As a text-mode file holds them: every line feed is written as CR LF.
        // Other runs append to the same file: the record goes out whole, and
        // only the writer that finds the new file empty writes its header.
        const std::string header = WithCrLf(
            LogFileHeader(application, g_destination->regid, g_destination->is64BitMachine, recordDate, timeText));
        const std::string record =
            WithCrLf(LogRecord(recordDate, timeText, user, module, type, val1, val2, val3, lineBreaks));
        return AppendWhole(LogFileName(folder, application, date), header, record);
    } catch (...) {
        // The log writer swallows its own failures.
        return false;
    }
}
}  // namespace
