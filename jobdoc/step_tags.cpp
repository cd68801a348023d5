#include "jobdoc/step_tags.h"

#include <cstddef>

#include "base/text.h"
#include "jobdoc/text_field.h"

namespace {
#define KV_ONE(field) offsetof(PwrScheme, field), sizeof(PwrScheme::field), 0, 0
#define KV_PAIR(ac, dc) offsetof(PwrScheme, ac), sizeof(PwrScheme::ac), offsetof(PwrScheme, dc), sizeof(PwrScheme::dc)

// In the order in which a child's name is compared.
const StepTag kStepTags[] = {
    {"action", KV_ONE(CAction)},
    {"schname", KV_ONE(CSchName)},
    {"schbasedon", KV_ONE(CBasedOn)},
    {"schdesc", KV_ONE(CSchDesc)},
    {"modifyoption", KV_ONE(CModifyOption)},
    {"overwrite", KV_ONE(COverwrite)},
    {"schactive", KV_ONE(CSchActive)},
    {"enahiber", KV_ONE(CEnaHiber)},
    {"critbatact", KV_PAIR(CCritBatActAC, CCritBatActDC)},
    {"lowbatact", KV_PAIR(CLowBatActAC, CLowBatActDC)},
    {"critbatlev", KV_PAIR(CCritBatLevAC, CCritBatLevDC)},
    {"lowbatlev", KV_PAIR(CLowBatLevAC, CLowBatLevDC)},
    {"lowbatnotif", KV_PAIR(CLowBatNotifAC, CLowBatNotifDC)},
    {"turnoffm", KV_PAIR(CTurnOffMAC, CTurnOffMDC)},
    {"turnoffhd", KV_PAIR(CTurnOffHdAC, CTurnOffHdDC)},
    {"turnoffstnd", KV_PAIR(CTurnOffStndAC, CTurnOffStndDC)},
    {"turnoffhib", KV_PAIR(CTurnOffHibAC, CTurnOffHibDC)},
    {"wirelessmode", KV_PAIR(CWirelessModeAC, CWirelessModeDC)},
    {"closelid", KV_PAIR(CCloseLidAC, CCloseLidDC)},
    {"powerbtn", KV_PAIR(CPowerBtnAC, CPowerBtnDC)},
    {"sleepbtn", KV_PAIR(CSleepBtnAC, CSleepBtnDC)},
    {"startmenu", KV_PAIR(CStartMenuAC, CStartMenuDC)},
    {"pcilinkstate", KV_PAIR(CPciLinkStateAC, CPciLinkStateDC)},
    {"procminstate", KV_PAIR(CProcMinStateAC, CProcMinStateDC)},
    {"procmaxstate", KV_PAIR(CProcMaxStateAC, CProcMaxStateDC)},
    {"syscooling", KV_PAIR(CSysCoolingAC, CSysCoolingDC)},
    {"reqpwd", KV_PAIR(CReqPwdAC, CReqPwdDC)},
    {"allowhbrid", KV_PAIR(CAllowHbridAC, CAllowHbridDC)},
    {"allowwake", KV_PAIR(CAllowWakeAC, CAllowWakeDC)},
    {"suspndset", KV_PAIR(CSuspndSetAC, CSuspndSetDC)},
};

#undef KV_ONE
#undef KV_PAIR

TextField FieldAt(PwrScheme& step, std::size_t offset, std::size_t size) {
    return {reinterpret_cast<char*>(&step) + offset, size};
}

constexpr std::string_view kAcDcSeparator = "#@#";
}  // namespace

const StepTag* FindStepTag(std::string_view name) {
    for (const StepTag& tag : kStepTags)
        if (EqualsNoCaseAscii(name, tag.name)) return &tag;
    return nullptr;
}

std::pair<std::string_view, std::string_view> SplitAcDc(std::string_view text) {
    const std::size_t at = text.find(kAcDcSeparator);
    if (at == std::string_view::npos) return {text, {}};
    return {text.substr(0, at), text.substr(at + kAcDcSeparator.size())};
}

bool StoreStepTag(PwrScheme& step, const StepTag& tag, std::string_view elementName, std::string_view text,
                  std::string& errorText) {
    if (tag.dcSize == 0)
        return StoreFieldText(FieldAt(step, tag.offset, tag.size), text, "Value", elementName, errorText);
    const auto [ac, dc] = SplitAcDc(text);
    // A tag met twice in one step: the later element wins, so both halves are
    // written even when the DC part is empty.
    return StoreFieldText(FieldAt(step, tag.offset, tag.size), ac, "AC value", elementName, errorText) &&
           StoreFieldText(FieldAt(step, tag.dcOffset, tag.dcSize), dc, "DC value", elementName, errorText);
}

void NoteTextExactness(PwrScheme& step, const StepTag& tag, bool exact) {
    if (tag.offset == offsetof(PwrScheme, CSchName)) step.CSchNameInexact = !exact;
    if (tag.offset == offsetof(PwrScheme, CSchDesc)) step.CSchDescInexact = !exact;
}

bool StoreStepValue(PwrScheme& step, std::string_view text, std::string& errorText) {
    return StoreFieldText(FieldOf(step.CStepValue), text, "Value", "value", errorText);
}
