#include "power/left_copy.h"

#include "power/scheme_list_parse.h"

std::string LeftCopiesText(const std::vector<SchemeEntry>& copies) {
    std::string text;
    for (const SchemeEntry& copy : copies)
        text += "Scheme Copy: " + copy.SchemeGuid + "  (" + copy.SchemeName + ")\r\n";
    return text;
}

std::vector<SchemeEntry> LeftCopiesFrom(std::string_view text) { return ParsePlanListing(text); }

FailureReport LeftCopyRefusal(const SchemeEntry& copy, std::string_view requestedName) {
    FailureReport refusal;
    refusal.status = "A copy named like this scheme, left by a stopped run, could not be deleted (Scheme GUID " +
                     copy.SchemeGuid + ") hence not processed";
    refusal.line = PlannedLine{"Failed", std::string(requestedName), "Left Copy", copy.SchemeGuid};
    return refusal;
}
