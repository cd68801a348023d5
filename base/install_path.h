#pragma once
// Whether the agent's InstallationPath can carry the run's files: the log,
// the saved records and the relay DLL are all taken from below it.
#include <string>
#include <string_view>

#include "base/lead_bytes.h"

// Empty when `path` is a full path, "X:\..." (or "X:/...") or a UNC path
// "\\server\share..."; otherwise the reason it is refused, for the log.
// `lead` names the lead bytes of the path's code page.
std::string InstallationPathProblem(std::string_view path, const LeadBytes& lead = SingleByteCodePage());
