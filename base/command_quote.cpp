// Quoting and splitting of command-line arguments by the Windows C runtime's
// rules, so that a value passed to a child tool arrives there unchanged.
#include "base/command_quote.h"

#include <utility>

std::string QuoteArgument(std::string_view value, const LeadBytes& lead) {
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted.push_back('"');
    size_t backslashes = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (lead.CharLength(value, i) == 2) {
            // A double-byte character is copied whole: its second byte may be
            // 0x5C, which is no backslash here.
            quoted.append(backslashes, '\\');
            backslashes = 0;
            quoted.append(value.substr(i, 2));
            ++i;
            continue;
        }
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            // 2n+1 backslashes: n literal ones, then an escaped quote.
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted.push_back(c);
    }
    // Backslashes before the closing quote must not escape it.
    quoted.append(backslashes * 2, '\\');
    quoted.push_back('"');
    return quoted;
}

namespace {
// A run of backslashes at `i`, taken by the argument rules: before a quote,
// 2n backslashes give n and the quote delimits, 2n+1 give n and a literal
// quote; elsewhere every backslash is literal. Returns the index after what
// was taken.
size_t TakeBackslashes(std::string_view commandLine, size_t i, std::string& current) {
    const size_t n = commandLine.size();
    size_t count = 0;
    while (i < n && commandLine[i] == '\\') {
        ++count;
        ++i;
    }
    if (i >= n || commandLine[i] != '"') {
        current.append(count, '\\');
        return i;
    }
    current.append(count / 2, '\\');
    if (count % 2 == 0) return i;
    current.push_back('"');
    return i + 1;
}
}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine, const LeadBytes& lead) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;  // an argument has started (even an empty "")
    bool inQuotes = false;
    size_t i = 0;
    const size_t n = commandLine.size();
    while (i < n) {
        const char c = commandLine[i];
        if (!inQuotes && (c == ' ' || c == '\t')) {
            if (inArgument) args.push_back(std::move(current));
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        const size_t length = lead.CharLength(commandLine, i);
        if (length == 2) {
            current.append(commandLine.substr(i, 2));
        } else if (c == '\\') {
            i = TakeBackslashes(commandLine, i, current);
            continue;
        } else if (c == '"' && inQuotes && i + 1 < n && commandLine[i + 1] == '"') {
            current.push_back('"');  // "" inside a quoted argument is one literal quote
            ++i;
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else {
            current.push_back(c);
        }
        i += length;
    }
    if (inArgument) args.push_back(std::move(current));
    return args;
}
