#pragma once
// The nine fields of the agent's packed command-line argument, in order.
// Capacities count the terminator. The job document's path is kept in UTF-16
// as the agent gave it, so that the very file it named is loaded; the other
// fields are texts of the ANSI code page that hold the agent's value exactly.
struct JobArgs {
    char OD[512];
    char ScriptId[512];
    wchar_t XmlFilePath[2048];
    char JobId[512];
    char UserLoggedIn[1024];
    char ExecutionTime[512];
    char InstanceID[128];
    char IsRealTimeS[512];
    char ScriptJobId[32];
};
