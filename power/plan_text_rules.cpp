#include "power/plan_text_rules.h"

bool HoldsControlCharacter(std::string_view text) {
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return true;
    }
    return false;
}

std::optional<PlanTextRefusal> CheckPlanText(PlanText which, std::string_view text, bool exact) {
    if (which == PlanText::Name) {
        if (text.empty())
            return PlanTextRefusal{"Scheme Name is empty hence not processed", "Scheme Name", "Scheme Name Empty"};
        if (HoldsControlCharacter(text))
            return PlanTextRefusal{"Scheme Name holds control characters hence not processed", "Scheme Name",
                                   "Scheme Name Has Control Characters"};
        if (!exact)
            return PlanTextRefusal{
                "Scheme Name holds characters that the system's code pages cannot hold exactly hence not processed",
                "Scheme Name", "Scheme Name Not In Code Page"};
        return std::nullopt;
    }
    if (HoldsControlCharacter(text))
        return PlanTextRefusal{"Scheme Description holds control characters hence not processed", "Scheme Description",
                               "Scheme Description Has Control Characters"};
    if (!exact)
        return PlanTextRefusal{
            "Scheme Description holds characters that the system's code page cannot hold exactly hence not processed",
            "Scheme Description", "Scheme Description Not In Code Page"};
    return std::nullopt;
}
