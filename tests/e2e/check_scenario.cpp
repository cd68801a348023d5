#include "tests/e2e/check_scenario.h"

#include <algorithm>
#include <regex>
#include <stdexcept>

#include "tests/win/temp_folder.h"
#include "win/owners.h"

namespace {
const char kListing[] = "powercfg.exe /l";
const char kValuesQuery[] = "powercfg.exe /q ";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}
}  // namespace

CheckRun RunCheck(const Scenario& s, const std::vector<std::string>& args) {
    // A file of its own for each check: a process the check started may hold
    // an earlier check's output open a little longer.
    static int checks = 0;
    const std::string outPath = s.InstallPath() + "\\check-output-" + std::to_string(++checks) + ".txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueFile out(CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    if (!out) throw std::runtime_error("cannot make " + outPath);
    std::string commandLine = "\"" + BinFolder() + "\\KestrovaneCheck.exe\"";
    for (const std::string& arg : args) commandLine += " \"" + arg + "\"";
    SetEnvironmentVariableA("KV_POWERCFG_STATE", s.SimStatePath().c_str());
    SetEnvironmentVariableA("KV_POWERCFG_JOURNAL", (s.SimStatePath() + ".journal").c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out.get();
    UniqueProcessInfo child;
    const BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        s.InstallPath().c_str(), &startup, child.put());
    SetEnvironmentVariableA("KV_POWERCFG_STATE", nullptr);
    SetEnvironmentVariableA("KV_POWERCFG_JOURNAL", nullptr);
    if (!started) throw std::runtime_error("cannot start KestrovaneCheck.exe");
    out.reset();
    CheckRun run;
    run.exitCode = Scenario::Wait(child.releaseProcess());
    run.lines = Lines(ReadWholeFile(outPath));
    DeleteFileA(outPath.c_str());
    return run;
}

std::vector<std::string> PrintedCommands(const CheckRun& run) {
    std::vector<std::string> commands;
    for (const std::string& line : run.lines)
        if (line.rfind("  POWERCFG ", 0) == 0) commands.push_back(line.substr(2));
    return commands;
}

std::vector<std::string> WithStandIns(std::vector<std::string> commands, const SimState& before) {
    // A made plan is the plan a command acts on (its first GUID) where no
    // plan of that GUID was listed; a duplication acts on its base plan.
    static const std::regex guid("[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}");
    std::vector<std::string> made;
    for (std::string& command : commands) {
        std::smatch match;
        if (command.find("-DUPLICATESCHEME") != std::string::npos || !std::regex_search(command, match, guid) ||
            FindPlan(before, match.str()))
            continue;
        auto at = std::find(made.begin(), made.end(), match.str());
        if (at == made.end()) at = made.insert(made.end(), match.str());
        const std::string shown = "{new-plan-" + std::to_string(at - made.begin() + 1) + "}";
        command.replace(static_cast<std::size_t>(match.position()), match.length(), shown);
    }
    return commands;
}

std::vector<std::string> ChangingCommands(const Scenario& s) {
    std::vector<std::string> commands;
    for (const std::string& command : s.JournalCommands())
        if (command != kListing && command.rfind(kValuesQuery, 0) != 0) commands.push_back(command);
    return commands;
}

std::string SimulatorSnapshot(const Scenario& s) {
    SimState state = s.ReadSimState();
    state.invocations = 0;
    std::string snapshot = SerializeSimState(state);
    for (const std::string& command : ChangingCommands(s)) snapshot += command + "\n";
    return snapshot;
}
