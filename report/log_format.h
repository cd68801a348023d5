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
// The five header lines and the column line of a new day's file.
std::string LogFileHeader(std::string_view application, std::string_view regid, bool is64BitMachine,
                          std::string_view recordDate, std::string_view timeText);
// "Information" in any letter case becomes "INFO"; anything else is upper-cased.
std::string NormaliseLogType(std::string_view type);
// One record line; values are written unchanged, line breaks included.
std::string LogRecord(std::string_view recordDate, std::string_view timeText, std::string_view user,
                      std::string_view module, std::string_view type, std::string_view val1, std::string_view val2,
                      std::string_view val3);
