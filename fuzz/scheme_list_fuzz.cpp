// POWERCFG's listing and duplication output: any output parses, every plan
// found has a GUID of the 8-4-4-4-12 shape taken from the output, a name
// without blanks at its ends and an active flag, and the duplication's GUID is
// the first plan's.
#include <string>

#include "power/scheme_list_parse.h"
#include "fuzz/fuzz_check.h"

namespace {
bool IsGuidShape(const std::string& guid) {
    if (guid.size() != 36) return false;
    for (std::size_t i = 0; i < guid.size(); ++i) {
        const char c = guid[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (dash ? c != '-' : !hex) return false;
    }
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view output = InputText(data, size);
    const std::vector<SchemeEntry> plans = ParsePlanListing(output);
    // A line ends at CR LF, CR or LF.
    std::size_t lines = 1;
    for (std::size_t i = 0; i < output.size(); ++i)
        lines += output[i] == '\n' || (output[i] == '\r' && (i + 1 == output.size() || output[i + 1] != '\n'));
    FUZZ_CHECK(plans.size() <= lines);
    for (const SchemeEntry& plan : plans) {
        FUZZ_CHECK(IsGuidShape(plan.SchemeGuid));
        FUZZ_CHECK(output.find(plan.SchemeGuid) != std::string_view::npos);
        FUZZ_CHECK(plan.SchemeActive == "Yes" || plan.SchemeActive == "No");
        FUZZ_CHECK(plan.SchemeName.empty() || (!IsBlank(plan.SchemeName.front()) && !IsBlank(plan.SchemeName.back())));
        FUZZ_CHECK(plan.SchemeName.find('\n') == std::string::npos);
    }
    FUZZ_CHECK(FirstPlanGuid(output) == (plans.empty() ? std::string() : plans.front().SchemeGuid));
    return 0;
}
