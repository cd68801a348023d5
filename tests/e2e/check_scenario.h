#pragma once
// KestrovaneCheck.exe run under Wine against a Scenario's installation and
// simulator state: what it printed, and what the simulator saw.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/scenario.h"

struct CheckRun {
    DWORD exitCode = 0;
    std::vector<std::string> lines;  // standard output, then standard error
};

// Runs KestrovaneCheck.exe with these arguments in the installation folder.
CheckRun RunCheck(const Scenario& s, const std::vector<std::string>& args);

// The command lines the check printed (indented by two blanks), with
// `newPlanGuid` in place of {new-plan}.
std::vector<std::string> PrintedCommands(const CheckRun& run, const std::string& newPlanGuid = {});

// The commands the simulator ran, without the listings.
std::vector<std::string> ChangingCommands(const Scenario& s);

// The simulator's plans and settings and the changing commands it ran: what a
// check must leave as it found it (its listings are counted and journalled).
std::string SimulatorSnapshot(const Scenario& s);
