#include "power/scheme_list_parse.h"

#include <utility>

#include "base/text.h"

namespace {
constexpr std::string_view kBlanks = " \t";

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::string_view SkipBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}
}  // namespace

bool StartsWithGuid(std::string_view text) {
    if (text.size() < kGuidLength) return false;
    for (std::size_t i = 0; i < kGuidLength; ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? text[i] != '-' : !IsHexDigit(text[i])) return false;
    }
    return true;
}

bool ParsePlanLine(std::string_view line, SchemeEntry& entry) {
    line = TrimWhite(line);
    // The GUID follows the label's colon; a label may hold colons of its own.
    for (std::size_t colon = line.find(':'); colon != std::string_view::npos; colon = line.find(':', colon + 1)) {
        const std::string_view afterColon = SkipBlanks(line.substr(colon + 1));
        if (!StartsWithGuid(afterColon)) continue;
        const std::string_view guid = afterColon.substr(0, kGuidLength);
        const std::string_view afterGuid = afterColon.substr(kGuidLength);
        const std::string_view rest = SkipBlanks(afterGuid);
        if (rest.empty() || rest.front() != '(') continue;

        const std::size_t close = rest.rfind(')');
        if (close == 0 || close == std::string_view::npos) continue;
        const std::string_view tail = TrimWhite(rest.substr(close + 1));
        if (!tail.empty() && tail != "*") continue;

        entry.SchemeName = std::string(TrimWhite(rest.substr(1, close - 1)));
        entry.SchemeGuid = std::string(guid);
        entry.SchemeActive = tail.empty() ? "No" : "Yes";
        return true;
    }
    return false;
}

std::vector<SchemeEntry> ParsePlanListing(std::string_view text) {
    std::vector<SchemeEntry> plans;
    while (!text.empty()) {
        // A line ends at CR, LF or CRLF: a listing saved on another system
        // may end its lines in either way.
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        const std::size_t next = end == std::string_view::npos       ? text.size()
                                 : text.compare(end, 2, "\r\n") == 0 ? end + 2
                                                                     : end + 1;
        text = text.substr(next);
        SchemeEntry entry;
        if (ParsePlanLine(line, entry)) plans.push_back(std::move(entry));
    }
    return plans;
}

std::string FirstPlanGuid(std::string_view text) {
    const std::vector<SchemeEntry> plans = ParsePlanListing(text);
    return plans.empty() ? std::string() : plans.front().SchemeGuid;
}

std::string GuidListedTwice(const std::vector<SchemeEntry>& plans) {
    for (std::size_t i = 0; i < plans.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (EqualsNoCaseAscii(plans[i].SchemeGuid, plans[j].SchemeGuid)) return plans[i].SchemeGuid;
    return {};
}
