#pragma once
// What one step would change on the model machine, as its commands are
// carried out: the values it would write against the plan's current ones,
// the hibernation switch and the active plan. Platform-free.
#include <string>
#include <vector>

struct StepChanges {
    // "turnoffm AC: 600 -> 900", "hibernation: off -> on",
    // "active plan: \"Balanced\" -> \"Office\"", in command order.
    std::vector<std::string> changes;
    bool valuesWritten = false;  // the step wrote settings, so it counts them
    int valuesChanged = 0;
    int valuesAlready = 0;                // already as the job sets them
    std::vector<std::string> unreadable;  // "turnoffm AC", "hibernation"
    int unreadableValues = 0;             // of those, the settings
    bool planMadeOrDeleted = false;
    // A plan's values could not be read at all, or the hibernation switch:
    // the step may change what was not seen. A setting that a plan's output
    // leaves out (Windows hides some) is only "cannot be read".
    bool unknown = false;

    // Whether the machine would be left otherwise than it is.
    bool Changes() const { return planMadeOrDeleted || !changes.empty(); }
};

// The lines the check prints after a step's commands, each indented by two
// blanks: each change, the count of the values, and each value that cannot
// be read. No line for a step that changes and writes nothing.
std::vector<std::string> ChangeLines(const StepChanges& changes);
