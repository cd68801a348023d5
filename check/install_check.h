#pragma once
// The installation check: what a run would find of its installation, one
// line per check with "ok" or what is wrong and how to mend it. It changes
// nothing: the only file it makes is a temporary one, deleted at once.
#include <string>

#include "check/check_list.h"

// The agent's registry key and each of its values, as a run reads them.
// Returns the InstallationPath when it is usable, else empty.
std::string CheckAgentKey(CheckList& list);

// The log folder and the status server's URL below `installationPath` (not
// checked when it is empty), POWERCFG and its listing, and Kestrovane.exe
// beside this program.
void CheckInstallFiles(CheckList& list, const std::string& installationPath);

// The relay DLL below `installationPath`, loaded as a run loads it, within the
// relay's time limit; its entry point is never called.
void CheckRelay(CheckList& list, const std::string& installationPath);

// The files and folders a run writes: Schemes.txt beside the executor,
// today's log file, the run lock's files and the folder of undelivered records below
// `installationPath` (not checked when it is empty).
void CheckRunFiles(CheckList& list, const std::string& installationPath);

// Every check and the summing-up line; returns the exit code.
int CheckInstallation();
