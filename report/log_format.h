#pragma once
// The text of the daily log file: its name, header, column line and records.
#include <string>
#include <string_view>

struct LogDate {
    int day, month, year;
};

// "<folder>\<application>_[DDMMYYYY].Log"
std::string LogFileName(std::string_view folder, std::string_view application, const LogDate& date);
// "DD/MM/YYYY"
std::string LogRecordDate(const LogDate& date);
// The five header lines and the column line of a new day's file. A line
// break in the REGID, a registry value, becomes a blank like one in a record.
std::string LogFileHeader(std::string_view application, std::string_view regid, bool is64BitMachine,
                          std::string_view recordDate, std::string_view timeText);
// "Information" in any letter case becomes "INFO"; anything else is upper-cased.
std::string NormaliseLogType(std::string_view type);

// What a record does with the line breaks (CR, LF, vertical tab, form feed)
// and tabs in its columns. Values come from the job document, the command
// line, the registry and the relay, so by default each line break and each
// tab becomes a blank: no value can start a line that reads as a record of its
// own, or add a column to its record.
// StatusRecordInVal3 is for the status record, which the program lays out
// itself over several lines: in val3 a line feed directly followed by a tab
// stays, tab included, since the line it starts begins with a tab and can
// never be taken for a record; every other line break and tab becomes a blank
// there too.
enum class LineBreaks { Blanked, StatusRecordInVal3 };

// One record line of seven tab-separated columns, ending with a line feed.
std::string LogRecord(std::string_view recordDate, std::string_view timeText, std::string_view user,
                      std::string_view module, std::string_view type, std::string_view val1, std::string_view val2,
                      std::string_view val3, LineBreaks lineBreaks = LineBreaks::Blanked);
