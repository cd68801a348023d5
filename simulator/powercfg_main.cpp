// powercfg.exe: a stand-in for the Windows power configuration tool, for tests.
// State comes from the file named by KV_POWERCFG_STATE (the built-in default
// when the file is missing or the variable is unset); every invocation is
// journalled to KV_POWERCFG_JOURNAL, or "<state path>.journal". An
// invocation whose command line holds the text of KV_POWERCFG_STALL stalls.
// KV_POWERCFG_LANGUAGE "fr" prints the labels of "/q" in French.
#include <windows.h>

#include <string>

#include "simulator/sim_console.h"
#include "simulator/sim_files.h"
#include "simulator/sim_run.h"
#include "simulator/sim_state.h"
#include "simulator/sim_text.h"

namespace {

SimOutcome SimulatorFault(const std::string& what) { return SimOutcome{1, {}, "powercfg simulator: " + what + "\r\n"}; }

SimOutcome RunWithStateFile(const std::wstring& statePath, const std::string& commandLine, SimLanguage language) {
    SimState state = DefaultSimState();
    if (!statePath.empty()) {
        std::string text;
        const FileRead read = ReadFileBytes(statePath, text);
        if (read == FileRead::Failed) return SimulatorFault("cannot read the state file");
        std::string error;
        if (read == FileRead::Ok && !ParseSimState(text, state, error))
            return SimulatorFault("state file not understood: " + error);
    }
    const SimOutcome outcome = RunSimInvocation(state, commandLine, language);
    if (!statePath.empty() && !ReplaceFileBytes(statePath, SerializeSimState(state)))
        return SimulatorFault("cannot write the state file");
    return outcome;
}

// A tool that never comes back, for a test to end the program at a known
// command: before the state is read, the process id is written to
// "<state path>.stalled", and the invocation waits to be ended (a minute at
// most). It then fails having changed nothing and without a journal line.
bool Stalls(const std::string& commandLine, const std::wstring& statePath) {
    constexpr DWORD kStallMs = 60 * 1000;
    const std::string stall = WideToUtf8(EnvironmentText(L"KV_POWERCFG_STALL"));
    if (stall.empty() || commandLine.find(stall) == std::string::npos) return false;
    if (!statePath.empty())
        static_cast<void>(ReplaceFileBytes(statePath + L".stalled", std::to_string(GetCurrentProcessId())));
    Sleep(kStallMs);
    return true;
}

}  // namespace

int main() {
    const std::string commandLine = WideToUtf8(GetCommandLineW());
    const std::wstring statePath = EnvironmentText(L"KV_POWERCFG_STATE");
    std::wstring journalPath = EnvironmentText(L"KV_POWERCFG_JOURNAL");
    if (journalPath.empty() && !statePath.empty()) journalPath = statePath + L".journal";

    if (Stalls(commandLine, statePath)) return 1;
    const SimLanguage language =
        EnvironmentText(L"KV_POWERCFG_LANGUAGE") == L"fr" ? SimLanguage::French : SimLanguage::English;
    const SimOutcome outcome = RunWithStateFile(statePath, commandLine, language);
    if (outcome.sleepMs > 0) Sleep(static_cast<DWORD>(outcome.sleepMs));
    WriteStandardOutput(outcome.out);
    WriteStandardError(outcome.err);
    if (!journalPath.empty()) {
        const std::string line = std::to_string(outcome.exitCode) + "\t" + commandLine + "\r\n";
        if (!AppendFileBytes(journalPath, line)) {
            WriteStandardError("powercfg simulator: cannot append to the journal\r\n");
            return 1;
        }
    }
    return outcome.exitCode;
}
