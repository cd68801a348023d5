#include "report/log_format.h"

#include <cstdio>

#include "base/text.h"

namespace {
constexpr char kLogVersion[] = "2.0.0.4";  // the log's own version; the executable is 2.0.0.5

bool IsLineBreak(char c) { return c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Appends `value` with each line break and tab as a blank, except a line feed
// followed by a tab (both kept) when `keepIndented` is set.
void AppendOnOneLine(std::string& line, std::string_view value, bool keepIndented = false) {
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const bool keptBreak = keepIndented && c == '\n' && i + 1 < value.size() && value[i + 1] == '\t';
        const bool keptIndent = keepIndented && c == '\t' && i > 0 && value[i - 1] == '\n';
        line += (IsLineBreak(c) || c == '\t') && !keptBreak && !keptIndent ? ' ' : c;
    }
}
}  // namespace

std::string LogFileName(std::string_view folder, std::string_view application, const LogDate& date) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d%02d%04d", date.day, date.month, date.year);
    std::string name(folder);
    name += '\\';
    name += application;
    name += "_[";
    name += stamp;
    name += "].Log";
    return name;
}

std::string LogRecordDate(const LogDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
    return text;
}

std::string LogFileHeader(std::string_view application, std::string_view regid, bool is64BitMachine,
                          std::string_view recordDate, std::string_view timeText) {
    std::string header;
    header.append("#Software: ").append(application).append("\n");
    header.append("#Version: ").append(kLogVersion).append("\n");
    header.append("#Regid : ");
    AppendOnOneLine(header, regid);
    header.append("\n");
    header.append("#Operating System :  ").append(is64BitMachine ? "64 Bit Machine" : "32 Bit Machine").append("\n");
    header.append("#Date: ").append(recordDate).append(" ").append(timeText).append("\n");
    header.append("#Fields:\tdtime\tSession User Name\tmodule\ttype\tval1\tval2\tval3\n");
    return header;
}

std::string NormaliseLogType(std::string_view type) {
    if (EqualsNoCaseAscii(type, "Information")) return "INFO";
    std::string upper(type);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::string LogRecord(std::string_view recordDate, std::string_view timeText, std::string_view user,
                      std::string_view module, std::string_view type, std::string_view val1, std::string_view val2,
                      std::string_view val3, LineBreaks lineBreaks) {
    const std::string typeColumn = NormaliseLogType(type);
    std::string line;
    line.append(recordDate).append(" ").append(timeText);
    for (std::string_view column : {user, module, std::string_view(typeColumn), val1, val2}) {
        line += '\t';
        AppendOnOneLine(line, column);
    }
    line += '\t';
    AppendOnOneLine(line, val3, lineBreaks == LineBreaks::StatusRecordInVal3);
    line += '\n';
    return line;
}
