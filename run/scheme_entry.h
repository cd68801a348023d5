#pragma once
#include <string>

// One installed power plan as the plan listing shows it.
struct SchemeEntry {
    std::string SchemeName;    // as listed, in the ANSI code page
    std::string SchemeGuid;    // e.g. 381b4222-f694-41f0-9685-ff5bb260df2e
    std::string SchemeActive;  // "Yes" for the active plan, else "No"
};
