#pragma once
// The elements of a job step, each with the PwrScheme texts it fills and the
// most characters each may hold: the one table of them. A value longer than
// its limit is refused, never cut. A paired element carries the mains (AC)
// value, the separator "#@#" and the battery (DC) value.
#include <cstddef>
#include <string>

#include "run/pwr_scheme.h"

struct RequestText {
    std::string PwrScheme::*text = nullptr;
    std::size_t limit = 0;  // characters
};

struct StepTag {
    const char* name;  // the element's name in lower case
    RequestText ac;    // the single value, or the AC value of a pair
    RequestText dc;    // the DC value of a pair; no text for a single value
};

// The step's "value" attribute.
inline constexpr RequestText kStepValueText{&PwrScheme::CStepValue, 49};

namespace step_tag {
using P = PwrScheme;
constexpr std::size_t kShort = 20;  // yes/no options and timeouts
constexpr std::size_t kText = 49;
// clang-format off
inline constexpr StepTag Action{"action", {&P::CAction, kText}, {}};
inline constexpr StepTag SchName{"schname", {&P::CSchName, kText}, {}};
inline constexpr StepTag SchBasedOn{"schbasedon", {&P::CBasedOn, kText}, {}};
inline constexpr StepTag SchDesc{"schdesc", {&P::CSchDesc, 2047}, {}};
inline constexpr StepTag ModifyOption{"modifyoption", {&P::CModifyOption, 123}, {}};
inline constexpr StepTag Overwrite{"overwrite", {&P::COverwrite, kShort}, {}};
inline constexpr StepTag SchActive{"schactive", {&P::CSchActive, kText}, {}};
inline constexpr StepTag EnaHiber{"enahiber", {&P::CEnaHiber, kShort}, {}};
inline constexpr StepTag CritBatAct{"critbatact", {&P::CCritBatActAC, kText}, {&P::CCritBatActDC, kText}};
inline constexpr StepTag LowBatAct{"lowbatact", {&P::CLowBatActAC, kText}, {&P::CLowBatActDC, kText}};
inline constexpr StepTag CritBatLev{"critbatlev", {&P::CCritBatLevAC, kText}, {&P::CCritBatLevDC, kText}};
inline constexpr StepTag LowBatLev{"lowbatlev", {&P::CLowBatLevAC, kText}, {&P::CLowBatLevDC, kText}};
inline constexpr StepTag LowBatNotif{"lowbatnotif", {&P::CLowBatNotifAC, kText}, {&P::CLowBatNotifDC, kText}};
inline constexpr StepTag TurnOffM{"turnoffm", {&P::CTurnOffMAC, kShort}, {&P::CTurnOffMDC, kShort}};
inline constexpr StepTag TurnOffHd{"turnoffhd", {&P::CTurnOffHdAC, kShort}, {&P::CTurnOffHdDC, kShort}};
inline constexpr StepTag TurnOffStnd{"turnoffstnd", {&P::CTurnOffStndAC, kShort}, {&P::CTurnOffStndDC, kShort}};
inline constexpr StepTag TurnOffHib{"turnoffhib", {&P::CTurnOffHibAC, kShort}, {&P::CTurnOffHibDC, kShort}};
inline constexpr StepTag WirelessMode{"wirelessmode", {&P::CWirelessModeAC, kText}, {&P::CWirelessModeDC, kText}};
inline constexpr StepTag CloseLid{"closelid", {&P::CCloseLidAC, kText}, {&P::CCloseLidDC, kText}};
inline constexpr StepTag PowerBtn{"powerbtn", {&P::CPowerBtnAC, kText}, {&P::CPowerBtnDC, kText}};
inline constexpr StepTag SleepBtn{"sleepbtn", {&P::CSleepBtnAC, kText}, {&P::CSleepBtnDC, kText}};
inline constexpr StepTag StartMenu{"startmenu", {&P::CStartMenuAC, kText}, {&P::CStartMenuDC, kText}};
inline constexpr StepTag PciLinkState{"pcilinkstate", {&P::CPciLinkStateAC, kText}, {&P::CPciLinkStateDC, kText}};
inline constexpr StepTag ProcMinState{"procminstate", {&P::CProcMinStateAC, kText}, {&P::CProcMinStateDC, kText}};
inline constexpr StepTag ProcMaxState{"procmaxstate", {&P::CProcMaxStateAC, kText}, {&P::CProcMaxStateDC, kText}};
inline constexpr StepTag SysCooling{"syscooling", {&P::CSysCoolingAC, kText}, {&P::CSysCoolingDC, kText}};
inline constexpr StepTag ReqPwd{"reqpwd", {&P::CReqPwdAC, kShort}, {&P::CReqPwdDC, kShort}};
inline constexpr StepTag AllowHbrid{"allowhbrid", {&P::CAllowHbridAC, kText}, {&P::CAllowHbridDC, kText}};
inline constexpr StepTag AllowWake{"allowwake", {&P::CAllowWakeAC, kText}, {&P::CAllowWakeDC, kText}};
inline constexpr StepTag SuspndSet{"suspndset", {&P::CSuspndSetAC, kText}, {&P::CSuspndSetDC, kText}};
// clang-format on
}  // namespace step_tag

// Every element of a step, in the order in which a child's name is compared.
inline constexpr const StepTag* kStepTags[] = {
    &step_tag::Action,       &step_tag::SchName,      &step_tag::SchBasedOn,   &step_tag::SchDesc,
    &step_tag::ModifyOption, &step_tag::Overwrite,    &step_tag::SchActive,    &step_tag::EnaHiber,
    &step_tag::CritBatAct,   &step_tag::LowBatAct,    &step_tag::CritBatLev,   &step_tag::LowBatLev,
    &step_tag::LowBatNotif,  &step_tag::TurnOffM,     &step_tag::TurnOffHd,    &step_tag::TurnOffStnd,
    &step_tag::TurnOffHib,   &step_tag::WirelessMode, &step_tag::CloseLid,     &step_tag::PowerBtn,
    &step_tag::SleepBtn,     &step_tag::StartMenu,    &step_tag::PciLinkState, &step_tag::ProcMinState,
    &step_tag::ProcMaxState, &step_tag::SysCooling,   &step_tag::ReqPwd,       &step_tag::AllowHbrid,
    &step_tag::AllowWake,    &step_tag::SuspndSet,
};
