#include "base/text.h"

namespace {
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
}  // namespace

std::string ToLowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = LowerAscii(c);
    return lower;
}

bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

bool ContainsNoCaseAscii(std::string_view haystack, std::string_view needle, const LeadBytes& lead) {
    if (needle.size() > haystack.size()) return false;
    for (std::size_t start = 0; start + needle.size() <= haystack.size(); start += lead.CharLength(haystack, start))
        if (EqualsNoCaseAscii(haystack.substr(start, needle.size()), needle)) return true;
    return false;
}

std::string_view TrimWhite(std::string_view text) {
    while (!text.empty() && IsWhite(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsWhite(text.back())) text.remove_suffix(1);
    return text;
}

namespace {
template <typename View>
std::vector<View> SplitViewOnAny(View text, View delimiters) {
    std::vector<View> pieces;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = text.find_first_not_of(delimiters, pos);
        if (start == View::npos) break;
        std::size_t end = text.find_first_of(delimiters, start);
        if (end == View::npos) end = text.size();
        pieces.push_back(text.substr(start, end - start));
        pos = end;
    }
    return pieces;
}
}  // namespace

std::vector<std::string_view> SplitOnAny(std::string_view text, std::string_view delimiters) {
    return SplitViewOnAny(text, delimiters);
}

std::vector<std::wstring_view> SplitOnAny(std::wstring_view text, std::wstring_view delimiters) {
    return SplitViewOnAny(text, delimiters);
}
