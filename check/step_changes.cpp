#include "check/step_changes.h"

std::vector<std::string> ChangeLines(const StepChanges& changes) {
    std::vector<std::string> lines;
    for (const std::string& change : changes.changes) lines.push_back("  change " + change);
    if (changes.valuesWritten)
        lines.push_back("  values: " + std::to_string(changes.valuesChanged) + " would change, " +
                        std::to_string(changes.valuesAlready) + " already as the job sets them, " +
                        std::to_string(changes.unreadableValues) + " cannot be read");
    for (const std::string& what : changes.unreadable) lines.push_back("  cannot read " + what);
    return lines;
}
