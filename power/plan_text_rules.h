#pragma once
// Which plan names and descriptions a step may use. A name is passed to
// POWERCFG and found again in its listing, so it must arrive there exactly as
// the job gave it: no control character (a line feed makes a plan that no
// listing finds again, a tab shifts the log's columns), and no character the
// system's code pages cannot hold (a look-alike or "?" could name another
// plan). A name must also not look like what a listing shows in place of
// other names: no "?" (the listing's stand-in for a character it cannot show)
// and no leading "@" (a resource reference, listed under another name). Nor
// may it begin or end with a blank, which the listing does not show.
// Whether the code pages hold a text is found by the caller; the rule itself
// is platform-free.
#include <optional>
#include <string_view>

// True when the text holds a byte below 0x20 or the byte 0x7F.
bool HoldsControlCharacter(std::string_view text);

enum class PlanText { Name, Description };

// Why a step's name or description is refused: the status description and the
// two values of the log line ("Error", val1, empty, val3).
struct PlanTextRefusal {
    const char* status;
    const char* logValue1;
    const char* logValue3;
};

// The refusal for the step's name or description, or nothing when it may be
// used. `exact` tells whether the text survived the code-page conversions it
// goes through. An empty name is refused; an empty description is not.
std::optional<PlanTextRefusal> CheckPlanText(PlanText which, std::string_view text, bool exact);
