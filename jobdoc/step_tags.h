#pragma once
// Reading a job step's child elements into the PwrScheme texts their tags name
// (run/pwr_scheme_fields.h). Tags are matched ignoring letter case.
#include <string>
#include <string_view>
#include <utility>

#include "run/pwr_scheme_fields.h"

// The tag equal to `name` ignoring case, in table order; null when none.
const StepTag* FindStepTag(std::string_view name);

// Splits at the first "#@#": the text before and the text after it. Without a
// separator the whole text is the AC part and the DC part is empty.
std::pair<std::string_view, std::string_view> SplitAcDc(std::string_view text);

// Stores an element's text into the texts of its tag. `elementName` is the
// name as written in the document, used in the error text when a value does
// not fit. False, with the error text set, when a value is too long.
[[nodiscard]] bool StoreStepTag(PwrScheme& step, const StepTag& tag, std::string_view elementName,
                                std::string_view text, std::string& errorText);

// Records whether the element's text reached the ANSI code page exactly, for
// the tags whose text must be exact: "schname", "schdesc" and each half of a
// setting pair (`dcExact` is for the DC half; the later element of a tag met
// twice wins here too). The options are left alone.
void NoteTextExactness(PwrScheme& step, const StepTag& tag, bool exact, bool dcExact = true);

// The step's "value" attribute into CStepValue, bounded like every other value.
[[nodiscard]] bool StoreStepValue(PwrScheme& step, std::string_view text, std::string& errorText);
