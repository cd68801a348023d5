// POWERCFG /Q output: any text parses, every GUID read is a lower-case GUID
// of the text, lookups agree with the result, and the line-end style (CR LF,
// LF or CR) changes nothing.
#include <string>

#include "fuzz/fuzz_check.h"
#include "power/plan_values.h"
#include "power/scheme_list_parse.h"

namespace {
bool IsLowerGuidOf(const std::string& guid, const std::string& lowerText) {
    return guid.size() == kGuidLength && StartsWithGuid(guid) && lowerText.find(guid) != std::string::npos;
}

std::string Replaced(std::string_view text, const std::string& lineEnd) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            out += lineEnd;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = InputText(data, size);
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const PlanValues values = ParsePlanValues(text);
    for (const auto& [plan, settings] : values.plans) {
        FUZZ_CHECK(IsLowerGuidOf(plan, lower) && values.HasPlan(plan));
        for (const auto& [key, indexes] : settings) {
            FUZZ_CHECK(IsLowerGuidOf(key.first, lower) && IsLowerGuidOf(key.second, lower));
            FUZZ_CHECK(values.Find(plan, key.first, key.second) == indexes);
            FUZZ_CHECK(indexes.ac <= 0xFFFFFFFFul && indexes.dc <= 0xFFFFFFFFul);
        }
    }
    FUZZ_CHECK(ParsePlanValues(Replaced(text, "\n")).plans == values.plans);
    FUZZ_CHECK(ParsePlanValues(Replaced(text, "\r")).plans == values.plans);
    return 0;
}
