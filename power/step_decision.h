#pragma once
// What a plan step will do, decided before anything runs. From the step's
// request and what the machine is like (its plan listing, its system, ...)
// the decision gives the step as a value: the lines it logs and the POWERCFG
// commands it runs, in order, with how each failure is reported, and how the
// step ends. The executor runs that value; the checking program prints it.
// Platform-free.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/lead_bytes.h"
#include "run/pwr_scheme.h"
#include "run/scheme_entry.h"

// Stands for the new plan's GUID in the commands after a duplication, until
// the duplication has printed it.
inline constexpr char kNewPlanGuid[] = "{new-plan}";

enum class StepOperation { Create, Modify, Delete };

// The module name the operation logs under ("CreatePowerSchemeVista", ...).
const char* OperationModule(StepOperation operation);

// A log line of the step: (type, val1, val2, val3) under the operation's module.
struct PlannedLine {
    std::string type, val1, val2, val3;
};

// How a failure is reported: the status description and the log line.
struct FailureReport {
    enum class Kind {
        // A command failed (or, with `systemError`, could not be formed): the
        // status is `status` followed by the reason when `appendReason`, and the
        // line is ("Failed", "ExecuteCommand", number or exit code, reason).
        CommandFailure,
        // The status is `status` as it stands; `line`, when given, is logged.
        Fixed,
    };
    Kind kind = Kind::Fixed;
    std::string status;
    bool appendReason = true;
    unsigned long systemError = 0;  // CommandFailure without a command run: the reason's error number
    std::optional<PlannedLine> line;
};

// One POWERCFG command of the step.
struct PlannedCommand {
    std::string commandLine;  // exactly as run and logged; may hold kNewPlanGuid
    FailureReport failure;
    // The duplication of the base plan: its output is captured and names the
    // new plan, whose GUID then replaces kNewPlanGuid in every later command.
    bool duplicatesPlan = false;
    std::string timedOutStatus;  // the duplication's status when it ran past its limit
    // Run after this command failed: the deletion of a copy that still carries
    // the base plan's name.
    bool deletesCopyOnFailure = false;
};

// One entry of the step, in order: a line to log or a command to run.
using PlannedAction = std::variant<PlannedLine, PlannedCommand>;

// How the step ends once its actions are done: it succeeds (once every
// command has), it fails with the refusal, or it is carried on by the other
// operation.
struct StepSucceeds {};
struct StepRefused {
    FailureReport refusal;
};
struct StepHandsOff {
    StepOperation to;
};
using StepEnd = std::variant<StepSucceeds, StepRefused, StepHandsOff>;

struct StepPlan {
    StepOperation operation = StepOperation::Create;
    std::vector<PlannedAction> actions;
    StepEnd end;
    // The plan the step acts on, as the listing showed it: empty when none.
    std::string planName, planGuid;
};

// Whether the request's texts reached the system's code pages exactly (found
// by the Windows side).
struct TextExactness {
    bool name = true;
    bool description = true;
};

// The refusal of a step by its request alone, before the machine is asked
// anything: a plan name (and, for a creation, a description) that may not be
// used. Nothing when the step goes on.
std::optional<FailureReport> RefuseRequest(StepOperation operation, const PwrScheme& request, TextExactness exact);

// What the machine is like when the step decides.
struct StepFacts {
    std::vector<SchemeEntry> listing;    // the installed plans, in listing order
    std::vector<bool> namedAsRequested;  // per listed plan: its name is the request's
    // Per listed plan: listed under the request's name, but the system holds
    // another exact name for it (the console showed a look-alike).
    std::vector<bool> lookAlike;
    std::int32_t osCode = 0;  // decides whether the cooling policy is written
    bool vistaOrLater = true;
    bool hibernationSupported = false;
    LeadBytes leadBytes;  // of the ANSI code page
};

// The step on a machine like `facts`, for a request that RefuseRequest let go on.
StepPlan DecideStep(StepOperation operation, const PwrScheme& request, const StepFacts& facts);

// The command line with the new plan's GUID in place of kNewPlanGuid. The
// GUID is the first argument of every command that names the new plan, so
// only the first placeholder is replaced: a name or description that holds
// the placeholder's text stays as the job gave it.
std::string WithNewPlanGuid(const std::string& commandLine, const std::string& planGuid);
