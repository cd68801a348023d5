#include "power/plan_values.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/text.h"
#include "power/scheme_list_parse.h"
#include "power/setting_table.h"

namespace {

constexpr std::size_t kPlanIndent = 0;
constexpr std::size_t kSubgroupIndent = 2;
constexpr std::size_t kSettingIndent = 4;  // also the current indexes' lines

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::string_view SkipBlanks(std::string_view text) {
    return text.substr(std::min(text.find_first_not_of(" \t"), text.size()));
}

// What may follow a GUID on its line: nothing, or blanks and "(name)".
bool IsNameOrNothing(std::string_view rest) {
    if (rest.empty()) return true;
    if (rest.front() != ' ') return false;
    rest = SkipBlanks(rest);
    return rest.size() >= 2 && rest.front() == '(' && rest.back() == ')';
}

// Eight hexadecimal digits and a dash: the start of a GUID, whole or damaged.
bool HoldsGuidStart(std::string_view line) {
    for (std::size_t i = 0; i + 9 <= line.size(); ++i) {
        if (i > 0 && IsHexDigit(line[i - 1])) continue;
        if (line[i + 8] == '-' && std::all_of(line.begin() + i, line.begin() + i + 8, IsHexDigit)) return true;
    }
    return false;
}

struct LineShape {
    enum class Kind { Other, Guid, Index, Bad };
    Kind kind = Kind::Other;
    std::size_t indent = 0;
    std::string guid;                    // Kind::Guid, lower case
    std::optional<unsigned long> index;  // Kind::Index; nothing when the number is damaged
};

// A label ending in a colon, then a GUID (and its name) or a "0x" number;
// any other line holding a GUID, or what is left of one, is bad.
LineShape ShapeOf(std::string_view line) {
    LineShape shape;
    shape.indent = std::min(line.find_first_not_of(' '), line.size());
    line.remove_prefix(shape.indent);
    line = line.substr(0, line.find_last_not_of(" \t") + 1);
    // The value follows the label's colon; a label may hold colons of its own.
    for (std::size_t colon = line.find(':', 1); colon != std::string_view::npos; colon = line.find(':', colon + 1)) {
        const std::string_view value = SkipBlanks(line.substr(colon + 1));
        if (StartsWithGuid(value) && IsNameOrNothing(value.substr(kGuidLength))) {
            shape.kind = LineShape::Kind::Guid;
            shape.guid = ToLowerAscii(value.substr(0, kGuidLength));
            return shape;
        }
        if (value.size() >= 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
            shape.kind = LineShape::Kind::Index;
            if (const std::optional<std::uint64_t> number = IndexNumber(value))
                shape.index = static_cast<unsigned long>(*number);
            break;
        }
    }
    if (HoldsGuidStart(line)) shape.kind = LineShape::Kind::Bad;
    return shape;
}

// The plan, subgroup and setting being read, innermost last.
class Reader {
public:
    void Take(const LineShape& line);
    PlanValues Finish() {
        CloseFrom(kPlanIndent);
        return std::move(values_);
    }

private:
    // Ends the reading at the level of that indent and every level inside it.
    void CloseFrom(std::size_t indent);

    PlanValues values_;
    std::string plan_, subgroup_, setting_;  // empty: none being read
    std::vector<unsigned long> indexes_;     // the setting's 4-blank numbers so far
};

void Reader::CloseFrom(std::size_t indent) {
    if (!setting_.empty() && indexes_.size() >= 2)
        values_.plans[plan_][{subgroup_, setting_}] = {indexes_[indexes_.size() - 2], indexes_.back()};
    setting_.clear();
    indexes_.clear();
    if (indent < kSettingIndent) subgroup_.clear();
    if (indent == kPlanIndent) plan_.clear();
}

void Reader::Take(const LineShape& line) {
    using Kind = LineShape::Kind;
    const bool guid = line.kind == Kind::Guid;
    if (guid && line.indent == kPlanIndent) {
        CloseFrom(kPlanIndent);
        plan_ = line.guid;
        values_.plans[plan_].clear();
    } else if (guid && line.indent == kSubgroupIndent) {
        CloseFrom(kSubgroupIndent);
        if (!plan_.empty()) subgroup_ = line.guid;
    } else if (guid && line.indent == kSettingIndent) {
        CloseFrom(kSettingIndent);
        if (!subgroup_.empty()) setting_ = line.guid;
    } else if (guid || line.kind == Kind::Bad) {
        // Between two levels, the outer one ends: nothing read after it can
        // be told apart from the next plan, subgroup or setting.
        CloseFrom(line.indent == kPlanIndent     ? kPlanIndent
                  : line.indent < kSettingIndent ? kSubgroupIndent
                                                 : kSettingIndent);
    } else if (line.kind == Kind::Index && line.indent == kSettingIndent && !setting_.empty()) {
        if (line.index)
            indexes_.push_back(*line.index);
        else
            CloseFrom(kSettingIndent);
    }
}

}  // namespace

bool PlanValues::HasPlan(std::string_view plan) const { return plans.count(ToLowerAscii(plan)) != 0; }

std::optional<SettingIndexes> PlanValues::Find(std::string_view plan, std::string_view subgroup,
                                               std::string_view setting) const {
    const auto found = plans.find(ToLowerAscii(plan));
    if (found == plans.end()) return std::nullopt;
    const auto indexes = found->second.find({ToLowerAscii(subgroup), ToLowerAscii(setting)});
    if (indexes == found->second.end()) return std::nullopt;
    return indexes->second;
}

PlanValues ParsePlanValues(std::string_view text) {
    Reader reader;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        reader.Take(ShapeOf(text.substr(0, end)));
        std::size_t next = end;
        if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        text.remove_prefix(next);
    }
    return reader.Finish();
}
