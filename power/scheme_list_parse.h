#pragma once
// Recognition of the plan lines that POWERCFG prints when it lists plans or
// reports a new one. A plan line is recognised by its shape, so a listing in
// any language is read:
//   <label>: <GUID>  (<name>) *
// a label ending in a colon, the GUID (8-4-4-4-12 hexadecimal digits), blanks,
// the name in parentheses and, for the active plan, a final "*".
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "run/scheme_entry.h"

inline constexpr std::size_t kGuidLength = 36;

// True when `text` starts with a GUID: 8-4-4-4-12 hexadecimal digits.
bool StartsWithGuid(std::string_view text);

// Reads one line (its line end may still be attached). Returns false when it
// is not a plan line. The name is the text between the first "(" after the
// GUID and the last ")", trimmed; names keep the listing's code page.
bool ParsePlanLine(std::string_view line, SchemeEntry& entry);

// Every plan line of a listing, in listing order. Lines end at CR, LF or
// CRLF; the last line needs no line break.
std::vector<SchemeEntry> ParsePlanListing(std::string_view text);

// The GUID of the first plan line, or an empty text when there is none.
std::string FirstPlanGuid(std::string_view text);

// The first GUID that the plans hold twice (letter case aside), or an empty
// text when each plan is listed once. A listing that names a plan twice is
// corrupt (a capture written twice over, say): a deletion would delete the
// plan twice.
std::string GuidListedTwice(const std::vector<SchemeEntry>& plans);
