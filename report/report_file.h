#pragma once
// Writing one of the run's report files (a saved status record, the status
// file): opened, written and closed in one call.
#include <string>
#include <string_view>

// Creates or replaces the file at `path` with exactly `bytes`. When the file
// cannot be created or fully written, logs (module, "Error", "Creating File
// Failed", path) and returns false; a partly written file is removed so that
// nobody picks up a cut record.
bool WriteReportFile(std::string_view module, const std::string& path, std::string_view bytes);
// The same without the log line: true when the file now holds exactly `bytes`.
bool WriteWholeFile(const std::string& path, std::string_view bytes);
