#pragma once
// Whether the agent's InstallationPath can carry the run's files: the log,
// the saved records and the relay DLL are all taken from below it.
#include <string>
#include <string_view>

// Empty when `path` is a full path, "X:\..." (or "X:/...") or a UNC path
// "\\server\share..."; otherwise the reason it is refused, for the log.
std::string InstallationPathProblem(std::string_view path);
