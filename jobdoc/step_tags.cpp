#include "jobdoc/step_tags.h"

#include <algorithm>

#include "base/text.h"
#include "jobdoc/text_field.h"

namespace {
constexpr std::string_view kAcDcSeparator = "#@#";

bool StoreRequestText(PwrScheme& step, const RequestText& field, std::string_view value, std::string_view what,
                      std::string_view name, std::string& errorText) {
    return StoreBoundedText(step.*field.text, field.limit, value, what, name, errorText);
}
}  // namespace

const StepTag* FindStepTag(std::string_view name) {
    for (const StepTag* tag : kStepTags)
        if (EqualsNoCaseAscii(name, tag->name)) return tag;
    return nullptr;
}

std::pair<std::string_view, std::string_view> SplitAcDc(std::string_view text) {
    const std::size_t at = text.find(kAcDcSeparator);
    if (at == std::string_view::npos) return {text, {}};
    return {text.substr(0, at), text.substr(at + kAcDcSeparator.size())};
}

bool StoreStepTag(PwrScheme& step, const StepTag& tag, std::string_view elementName, std::string_view text,
                  std::string& errorText) {
    if (tag.dc.text == nullptr) return StoreRequestText(step, tag.ac, text, "Value", elementName, errorText);
    const auto [ac, dc] = SplitAcDc(text);
    // A tag met twice in one step: the later element wins, so both halves are
    // written even when the DC part is empty.
    return StoreRequestText(step, tag.ac, ac, "AC value", elementName, errorText) &&
           StoreRequestText(step, tag.dc, dc, "DC value", elementName, errorText);
}

void NoteTextExactness(PwrScheme& step, const StepTag& tag, bool exact, bool dcExact) {
    if (&tag == &step_tag::SchName) step.CSchNameInexact = !exact;
    if (&tag == &step_tag::SchDesc) step.CSchDescInexact = !exact;
    if (tag.dc.text == nullptr) return;
    std::vector<std::string PwrScheme::*>& inexact = step.CInexactValues;
    for (const auto& [text, textExact] : {std::pair{tag.ac.text, exact}, std::pair{tag.dc.text, dcExact}}) {
        inexact.erase(std::remove(inexact.begin(), inexact.end(), text), inexact.end());
        if (!textExact) inexact.push_back(text);
    }
}

bool StoreStepValue(PwrScheme& step, std::string_view text, std::string& errorText) {
    return StoreRequestText(step, kStepValueText, text, "Value", "value", errorText);
}
