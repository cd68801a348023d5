#pragma once
// One step's requested power plan, as the job document gave it: one text per
// element (the AC/DC pairs hold the value for mains power first and the value
// on battery second) and two flags. How long each text may be, and which
// element fills it, is in pwr_scheme_fields.h.
#include <string>
#include <vector>

struct PwrScheme {
    std::string CStepValue;
    std::string CBasedOn;
    std::string CAction;
    std::string CSchName;
    std::string CSchDesc;
    std::string CModifyOption;
    std::string COverwrite;
    std::string CSchActive;
    std::string CEnaHiber;
    std::string CCritBatActAC, CCritBatActDC;
    std::string CCritBatLevAC, CCritBatLevDC;
    std::string CLowBatActAC, CLowBatActDC;
    std::string CLowBatLevAC, CLowBatLevDC;
    std::string CLowBatNotifAC, CLowBatNotifDC;
    std::string CTurnOffMAC, CTurnOffMDC;
    std::string CTurnOffHdAC, CTurnOffHdDC;
    std::string CTurnOffStndAC, CTurnOffStndDC;
    std::string CTurnOffHibAC, CTurnOffHibDC;
    std::string CWirelessModeAC, CWirelessModeDC;
    std::string CCloseLidAC, CCloseLidDC;
    std::string CPowerBtnAC, CPowerBtnDC;
    std::string CSleepBtnAC, CSleepBtnDC;
    std::string CStartMenuAC, CStartMenuDC;
    std::string CPciLinkStateAC, CPciLinkStateDC;
    std::string CProcMinStateAC, CProcMinStateDC;
    std::string CProcMaxStateAC, CProcMaxStateDC;
    std::string CSysCoolingAC, CSysCoolingDC;
    std::string CReqPwdAC, CReqPwdDC;
    std::string CAllowHbridAC, CAllowHbridDC;
    std::string CAllowWakeAC, CAllowWakeDC;
    std::string CSuspndSetAC, CSuspndSetDC;
    // Set when the job's "schname" or "schdesc" held a character that the ANSI
    // code page cannot hold exactly. The text then holds the system's nearest
    // form ("?" or a look-alike), which must never name or describe a plan.
    bool CSchNameInexact = false;
    bool CSchDescInexact = false;
    // The setting values (AC or DC text of a pair) that the ANSI code page
    // cannot hold exactly; each then holds the code page's default character
    // in place of what it lacks, never a look-alike, and is never written.
    std::vector<std::string PwrScheme::*> CInexactValues;
};
