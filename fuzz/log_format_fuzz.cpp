// Log formatting: a record is one line of seven tab-separated columns, whatever
// tabs its values hold, always starts with its time stamp and ends with its
// only line break, a line feed; the type column is upper-cased; dates keep their
// fixed width.
#include <string>
#include <vector>

#include "report/log_format.h"
#include "fuzz/fuzz_check.h"

namespace {
std::vector<std::string_view> Columns(std::string_view line) {
    std::vector<std::string_view> columns;
    for (std::size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t')) {
        columns.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    columns.push_back(line);
    return columns;
}

bool IsDigits(std::string_view text) { return text.find_first_not_of("0123456789") == std::string_view::npos; }

// A value as its column shows it: every tab and line break a blank.
std::string Blanked(std::string_view value) {
    std::string out(value);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') c = ' ';
    return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> f = InputFields(data, size, 8);
    const std::string_view date = f[0], time = f[1], user = f[2], module = f[3], type = f[4];

    const std::string normal = NormaliseLogType(type);
    FUZZ_CHECK(normal.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos);
    FUZZ_CHECK(normal == "INFO" || normal.size() == type.size());
    FUZZ_CHECK(NormaliseLogType(normal) == normal);

    const std::string line = LogRecord(date, time, user, module, type, f[5], f[6], f[7]);
    const std::string stamp = std::string(date) + " " + std::string(time);
    FUZZ_CHECK(line.compare(0, stamp.size() + 1, stamp + "\t") == 0 && line.back() == '\n');
    if (stamp.find_first_of("\n\r\v\f") == std::string::npos)
        FUZZ_CHECK(line.find_first_of("\n\r\v\f") == line.size() - 1);
    if (stamp.find_first_of("\t\n\r\v\f") == std::string::npos) {
        const std::vector<std::string> expected = {stamp,         Blanked(user), Blanked(module), Blanked(normal),
                                                   Blanked(f[5]), Blanked(f[6]), Blanked(f[7])};
        const std::vector<std::string_view> columns = Columns(std::string_view(line).substr(0, line.size() - 1));
        FUZZ_CHECK(std::vector<std::string>(columns.begin(), columns.end()) == expected);
    }
    bool plain = true;
    for (const std::string_view value : f) plain = plain && value.find_first_of("\t\n\r\v\f") == std::string_view::npos;
    if (plain) {
        const std::string header = LogFileHeader(user, module, size % 2 == 0, date, time);
        std::size_t lines = 0;
        for (const char c : header) lines += c == '\n';
        FUZZ_CHECK(lines == 6 && header.back() == '\n');
    }

    if (size >= 4) {
        const LogDate day{1 + data[0] % 31, 1 + data[1] % 12, 1601 + (data[2] << 8 | data[3]) % 8399};
        const std::string text = LogRecordDate(day);
        FUZZ_CHECK(text.size() == 10 && text[2] == '/' && text[5] == '/');
        FUZZ_CHECK(IsDigits(text.substr(0, 2)) && IsDigits(text.substr(3, 2)) && IsDigits(text.substr(6)));
        const std::string name = LogFileName(user, module, day);
        const std::string compact = text.substr(0, 2) + text.substr(3, 2) + text.substr(6);
        FUZZ_CHECK(name == std::string(user) + "\\" + std::string(module) + "_[" + compact + "].Log");
    }
    return 0;
}
