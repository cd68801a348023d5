#pragma once
// The nine fields of the agent's packed command-line argument, in order.
// Capacities count the terminator.
struct JobArgs {
    char OD[512];
    char ScriptId[512];
    char XmlFilePath[2048];
    char JobId[512];
    char UserLoggedIn[1024];
    char ExecutionTime[512];
    char InstanceID[128];
    char IsRealTimeS[512];
    char ScriptJobId[32];
};
