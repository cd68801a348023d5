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
        // A listing shows a character its code page lacks as "?", so a
        // requested "?" could stand for any of them. "?" (0x3F) is below
        // every trail byte of the double-byte code pages: a byte test is safe.
        if (text.find('?') != std::string_view::npos)
            return PlanTextRefusal{"Scheme Name holds a question mark hence not processed", "Scheme Name",
                                   "Scheme Name Has Question Mark"};
        // Windows reads such a name as a reference to a resource string
        // ("@file.dll,-123"): the plan would list under another name.
        if (text.front() == '@')
            return PlanTextRefusal{"Scheme Name begins with @ hence not processed", "Scheme Name",
                                   "Scheme Name Begins With @"};
        // The listing's names are read trimmed: a plan named with a blank at
        // either end would never be found again by the name it was given.
        // (Other white space is a control character, refused above; a blank
        // is never a trail byte.)
        if (text.front() == ' ' || text.back() == ' ')
            return PlanTextRefusal{"Scheme Name begins or ends with white space hence not processed", "Scheme Name",
                                   "Scheme Name Begins Or Ends With White Space"};
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
