#pragma once
// One step's requested power plan: fixed-width texts, passed by value to the
// plan operations. The AC/DC pairs hold the value for mains power first and
// the value on battery second. Two flags close the record.
struct PwrScheme {
    char CStepValue[50];
    char CBasedOn[50];
    char CAction[50];
    char CSchName[50];
    char CSchDesc[2048];
    char CModifyOption[124];
    char COverwrite[21];
    char CSchActive[50];
    char CEnaHiber[21];
    char CCritBatActAC[50], CCritBatActDC[50];
    char CCritBatLevAC[50], CCritBatLevDC[50];
    char CLowBatActAC[50], CLowBatActDC[50];
    char CLowBatLevAC[50], CLowBatLevDC[50];
    char CLowBatNotifAC[50], CLowBatNotifDC[50];
    char CTurnOffMAC[21], CTurnOffMDC[21];
    char CTurnOffHdAC[21], CTurnOffHdDC[21];
    char CTurnOffStndAC[21], CTurnOffStndDC[21];
    char CTurnOffHibAC[21], CTurnOffHibDC[21];
    char CWirelessModeAC[50], CWirelessModeDC[50];
    char CCloseLidAC[50], CCloseLidDC[50];
    char CPowerBtnAC[50], CPowerBtnDC[50];
    char CSleepBtnAC[50], CSleepBtnDC[50];
    char CStartMenuAC[50], CStartMenuDC[50];
    char CPciLinkStateAC[50], CPciLinkStateDC[50];
    char CProcMinStateAC[50], CProcMinStateDC[50];
    char CProcMaxStateAC[50], CProcMaxStateDC[50];
    char CSysCoolingAC[50], CSysCoolingDC[50];
    char CReqPwdAC[21], CReqPwdDC[21];
    char CAllowHbridAC[50], CAllowHbridDC[50];
    char CAllowWakeAC[50], CAllowWakeDC[50];
    char CSuspndSetAC[50], CSuspndSetDC[50];
    // Set when the job's "schname" or "schdesc" held a character that the ANSI
    // code page cannot hold exactly. The field then holds the system's nearest
    // form ("?" or a look-alike), which must never name or describe a plan.
    bool CSchNameInexact;
    bool CSchDescInexact;
};
