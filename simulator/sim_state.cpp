// The simulator's state as a line-based text file. Each line is a keyword and
// tab-separated fields; texts escape backslash, tab, CR and LF so that any
// name survives a round trip:
//   active      <guid>
//   hibernate   <supported 0|1> <on 0|1>
//   invocations <count>
//   plan        <guid> <name> <description>
//   value       <subgroup/setting> <AC index> <DC index>   (of the last plan)
//   fault       <nth> <exit code> <match> <message> [<output> <then run 0|1> <sleep ms>]
//   hidden      <subgroup/setting>                        (optional)
// Empty lines and lines starting with "#" are ignored.
#include "simulator/sim_state.h"

#include <cstdlib>

#include "base/text.h"
#include "simulator/sim_settings.h"

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string Escape(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\n':
                escaped += "\\n";
                break;
            default:
                escaped.push_back(c);
        }
    }
    return escaped;
}

bool Unescape(std::string_view text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out.push_back(text[i]);
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
            case '\\':
                out.push_back('\\');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 'n':
                out.push_back('\n');
                break;
            default:
                return false;
        }
    }
    return true;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

bool ParseInt(std::string_view text, int& value) {
    const std::string copy(text);
    if (copy.empty()) return false;
    char* end = nullptr;
    const long parsed = std::strtol(copy.c_str(), &end, 10);
    if (*end != '\0' || parsed < -2147483647L - 1 || parsed > 2147483647L) return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseFlag(std::string_view text, bool& value) {
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

SimPlan BuiltInPlan(const char* guid, const char* name, const char* description, SimSettingValues SimSetting::*column) {
    SimPlan plan{guid, name, description, {}};
    for (size_t i = 0; i < kSimSettingCount; ++i) {
        const SimSetting& row = kSimSettings[i];
        const SimSettingValues& values = row.*column;
        plan.values[SimSettingKey(row.subgroup, row.setting)] = {values.ac, values.dc};
    }
    return plan;
}

}  // namespace

std::string SimSettingKey(std::string_view subgroup, std::string_view setting) {
    return Lower(subgroup) + "/" + Lower(setting);
}

SimState DefaultSimState() {
    SimState state;
    state.plans.push_back(BuiltInPlan("381b4222-f694-41f0-9685-ff5bb260df2e", "Balanced",
                                      "Balances performance and energy use on capable hardware.",
                                      &SimSetting::balanced));
    state.plans.push_back(BuiltInPlan("8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c", "High performance",
                                      "Favours performance over energy use.", &SimSetting::highPerformance));
    state.plans.push_back(BuiltInPlan("a1841308-3541-4fab-bc81-f71556f20b4a", "Power saver",
                                      "Saves energy by lowering performance where it can.", &SimSetting::powerSaver));
    state.activeGuid = "381b4222-f694-41f0-9685-ff5bb260df2e";
    state.hibernateSupported = true;
    state.hibernateOn = false;
    return state;
}

std::string SerializeSimState(const SimState& state) {
    std::string text = "# POWERCFG simulator state\n";
    text += "active\t" + Escape(state.activeGuid) + "\n";
    text += std::string("hibernate\t") + (state.hibernateSupported ? "1" : "0") + "\t" +
            (state.hibernateOn ? "1" : "0") + "\n";
    text += "invocations\t" + std::to_string(state.invocations) + "\n";
    for (const SimPlan& plan : state.plans) {
        text += "plan\t" + Escape(plan.guid) + "\t" + Escape(plan.name) + "\t" + Escape(plan.description) + "\n";
        for (const auto& [key, values] : plan.values)
            text += "value\t" + Escape(key) + "\t" + Escape(values.first) + "\t" + Escape(values.second) + "\n";
    }
    if (!state.hiddenSetting.empty()) text += "hidden\t" + Escape(state.hiddenSetting) + "\n";
    for (const SimFault& fault : state.faults) {
        text += "fault\t" + std::to_string(fault.nth) + "\t" + std::to_string(fault.exitCode) + "\t" +
                Escape(fault.match) + "\t" + Escape(fault.message) + "\t" + Escape(fault.output) + "\t" +
                (fault.thenRun ? "1" : "0") + "\t" + std::to_string(fault.sleepMs) + "\n";
    }
    return text;
}

bool ParseSimState(std::string_view text, SimState& state, std::string& error) {
    SimState parsed;
    size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;

        const std::vector<std::string_view> raw = SplitTabs(line);
        std::vector<std::string> f;
        for (std::string_view field : raw) {
            f.emplace_back();
            if (!Unescape(field, f.back())) {
                error = "line " + std::to_string(lineNumber) + ": bad escape";
                return false;
            }
        }
        const std::string& keyword = f[0];
        const size_t count = f.size() - 1;
        bool ok = false;
        if (keyword == "active" && count == 1) {
            parsed.activeGuid = f[1];
            ok = true;
        } else if (keyword == "hibernate" && count == 2) {
            ok = ParseFlag(f[1], parsed.hibernateSupported) && ParseFlag(f[2], parsed.hibernateOn);
        } else if (keyword == "invocations" && count == 1) {
            ok = ParseInt(f[1], parsed.invocations) && parsed.invocations >= 0;
        } else if (keyword == "plan" && count == 3) {
            parsed.plans.push_back(SimPlan{f[1], f[2], f[3], {}});
            ok = true;
        } else if (keyword == "value" && count == 3 && !parsed.plans.empty()) {
            parsed.plans.back().values[f[1]] = {f[2], f[3]};
            ok = true;
        } else if (keyword == "hidden" && count == 1) {
            parsed.hiddenSetting = Lower(f[1]);
            ok = true;
        } else if (keyword == "fault" && (count == 4 || count == 7)) {
            SimFault fault;
            ok = ParseInt(f[1], fault.nth) && ParseInt(f[2], fault.exitCode);
            fault.match = f[3];
            fault.message = f[4];
            if (count == 7) {
                fault.output = f[5];
                ok = ok && ParseFlag(f[6], fault.thenRun) && ParseInt(f[7], fault.sleepMs) && fault.sleepMs >= 0;
            }
            parsed.faults.push_back(fault);
        }
        if (!ok) {
            error = "line " + std::to_string(lineNumber) + ": not understood: " + std::string(line);
            return false;
        }
    }
    state = std::move(parsed);
    return true;
}

const SimPlan* FindPlan(const SimState& state, std::string_view guid) {
    for (const SimPlan& plan : state.plans)
        if (EqualsNoCaseAscii(plan.guid, guid)) return &plan;
    return nullptr;
}

SimPlan* FindPlan(SimState& state, std::string_view guid) {
    return const_cast<SimPlan*>(FindPlan(static_cast<const SimState&>(state), guid));
}

std::vector<const SimPlan*> FindPlansByName(const SimState& state, std::string_view name) {
    std::vector<const SimPlan*> found;
    for (const SimPlan& plan : state.plans)
        if (plan.name == name) found.push_back(&plan);
    return found;
}
