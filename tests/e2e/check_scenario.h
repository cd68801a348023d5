#pragma once
// KestrovaneCheck.exe run under Wine against a Scenario's installation and
// simulator state: what it printed, and what the simulator saw.
#include <windows.h>

#include <string>
#include <vector>

#include "simulator/sim_commands.h"
#include "tests/e2e/scenario.h"

struct CheckRun {
    DWORD exitCode = 0;
    std::vector<std::string> lines;  // standard output, then standard error
};

// Runs KestrovaneCheck.exe with these arguments in the installation folder.
CheckRun RunCheck(const Scenario& s, const std::vector<std::string>& args);

// The command lines the check printed (indented by two blanks).
std::vector<std::string> PrintedCommands(const CheckRun& run);

// The commands the simulator ran, without the listings.
std::vector<std::string> ChangingCommands(const Scenario& s);

// The commands with each plan GUID that `before` does not list shown as the
// check shows the plans a job makes: {new-plan-1}, {new-plan-2}, ... in the
// order they first appear.
std::vector<std::string> WithStandIns(std::vector<std::string> commands, const SimState& before);

// The simulator's plans and settings and the changing commands it ran: what a
// check must leave as it found it (its listings are counted and journalled).
std::string SimulatorSnapshot(const Scenario& s);
