#pragma once
// Who the program runs for: five values of the agent's registry key.
#include <cstddef>

struct AgentIdentity {
    char REGID[32];
    char InstallationPath[1024];
    char MEMBERID[32];
    char TYPE[20];
    char SITEID[32];
};

// The agent's values in the order a run reads them, each with its field.
struct AgentValue {
    const char* name;
    char* (*field)(AgentIdentity&);
    std::size_t capacity;  // of the field, terminator included
    bool required;
    bool path;  // must be a REG_SZ full path
};

inline constexpr AgentValue kAgentValues[] = {
    {"REGID", [](AgentIdentity& a) { return a.REGID; }, sizeof(AgentIdentity::REGID), true, false},
    {"InstallationPath", [](AgentIdentity& a) { return a.InstallationPath; }, sizeof(AgentIdentity::InstallationPath),
     true, true},
    {"MEMBERID", [](AgentIdentity& a) { return a.MEMBERID; }, sizeof(AgentIdentity::MEMBERID), true, false},
    {"TYPE", [](AgentIdentity& a) { return a.TYPE; }, sizeof(AgentIdentity::TYPE), false, false},
    {"SITEID", [](AgentIdentity& a) { return a.SITEID; }, sizeof(AgentIdentity::SITEID), true, false},
};
