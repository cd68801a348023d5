#pragma once
// The POWERCFG simulator's state file, shared by the simulator and by the
// tests that prepare and inspect it. Platform-free.
#include <map>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

struct SimPlan {
    std::string guid;         // lower case, 8-4-4-4-12
    std::string name;         // UTF-8
    std::string description;  // UTF-8
    // "subgroup-guid/setting-guid" -> {AC index, DC index} as decimal text
    std::map<std::string, std::pair<std::string, std::string>> values;
};

// Makes one invocation fail: the nth (1-based, counted over all invocations)
// when nth > 0, or every invocation whose command line contains `match` when
// it is not empty. A failing invocation prints `message` and CR LF to standard
// error (when set), changes nothing and exits with `exitCode`.
struct SimFault {
    SimFault() = default;
    SimFault(int nth, std::string match, int exitCode, std::string message, std::string output = {},
             bool thenRun = false, int sleepMs = 0)
        : nth(nth),
          match(std::move(match)),
          exitCode(exitCode),
          message(std::move(message)),
          output(std::move(output)),
          thenRun(thenRun),
          sleepMs(sleepMs) {}

    int nth = 0;
    std::string match;  // compared exactly, letter case included
    int exitCode = 1;
    std::string message;  // standard error
    std::string output;   // standard output, written first
    // Carry out the command after writing `output`: its own output follows and
    // its own exit code counts (for output that misleads without failing).
    bool thenRun = false;
    // Pause this long before ending (a tool that hangs until it is ended).
    int sleepMs = 0;
};

struct SimState {
    std::vector<SimPlan> plans;
    std::string activeGuid;
    bool hibernateSupported = true;
    bool hibernateOn = false;
    int invocations = 0;
    std::vector<SimFault> faults;
    // The SimSettingKey of a setting that "/q" does not print, as Windows
    // hides some settings; empty when none is hidden.
    std::string hiddenSetting;
};

// The key of one setting in SimPlan::values: "subgroup-guid/setting-guid",
// both lower case.
std::string SimSettingKey(std::string_view subgroup, std::string_view setting);

// Balanced (active), High performance and Power saver with plausible values
// for every setting the program writes; hibernation supported and off.
SimState DefaultSimState();
std::string SerializeSimState(const SimState& state);
bool ParseSimState(std::string_view text, SimState& state, std::string& error);
// The plan with this GUID (compared ignoring letter case), or nullptr.
const SimPlan* FindPlan(const SimState& state, std::string_view guid);
SimPlan* FindPlan(SimState& state, std::string_view guid);
// Plans whose name equals `name` exactly, in state order.
std::vector<const SimPlan*> FindPlansByName(const SimState& state, std::string_view name);
