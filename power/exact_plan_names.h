#pragma once
// The plans' exact names, as the power-management API holds them (UTF-16).
// The listing prints names in the console code page, where a character the
// code page lacks may come out as a look-alike (a full-width "Office" as
// "Office", an en dash as "-"): only the API tells such plans apart.
#include <windows.h>

#include <optional>
#include <string>

#include "win/owners.h"

class ExactPlanNames {
public:
    // Loads powrprof.dll from the system folder.
    ExactPlanNames();

    // The exact name of the plan with this GUID text; nothing when it cannot
    // be read: powrprof.dll or its PowerReadFriendlyName missing, a function
    // that answers it is not implemented (Wine's), any other failure, or a
    // name still in the form of a resource reference ("@file.dll,-12").
    std::optional<std::wstring> Read(const std::string& guid) const;

private:
    using ReadFriendlyName = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, PUCHAR, LPDWORD);
    UniqueModule library_;
    ReadFriendlyName read_ = nullptr;
};

// True when the plan's exact name is the requested ANSI name, letter case
// aside, compared as listed names are (SameSchemeName).
bool SameExactName(const std::wstring& exact, const std::string& requested);
