#pragma once
// Who the program runs for: five values of the agent's registry key.
struct AgentIdentity {
    char REGID[32];
    char InstallationPath[1024];
    char MEMBERID[32];
    char TYPE[20];
    char SITEID[32];
};
