// powercfg.exe run as a child process, as the program runs it: exact bytes on
// each stream, exit codes, the state file and the journal.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/command_quote.h"
#include "simulator/sim_state.h"
#include "tests/win/temp_folder.h"
#include "win/owners.h"

namespace {

const char kBalanced[] = "381b4222-f694-41f0-9685-ff5bb260df2e";
const char kHigh[] = "8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c";
const char kNotFound[] = "The power scheme, subgroup or setting specified does not exist.\r\n";
const char kInvalid[] = "Invalid Parameters -- try \"/?\" for help\r\n";
const char kHeader[] = "\r\nExisting Power Schemes (* Active)\r\n-----------------------------------\r\n";

struct ToolRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

std::string BinFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string ReadToEnd(HANDLE pipe) {
    std::string text;
    char buffer[512];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    return text;
}

// Runs the simulator with this command line (program name first), hidden,
// with standard output and standard error on separate pipes.
ToolRun RunTool(const std::string& commandLine) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    UniqueHandle outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(outRead.put(), outWrite.put(), &inherit, 1 << 16) ||
        !CreatePipe(errRead.put(), errWrite.put(), &inherit, 1 << 16)) {
        ADD_FAILURE() << "CreatePipe failed";
        return {};
    }
    SetHandleInformation(outRead.get(), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead.get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = outWrite.get();
    startup.hStdError = errWrite.get();
    UniqueProcessInfo child;
    const std::string program = BinFolder() + "\\powercfg.exe";
    std::string line = commandLine;
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        child.put())) {
        ADD_FAILURE() << "cannot start " << program << ": " << GetLastError();
        return {};
    }
    outWrite.reset();
    errWrite.reset();

    ToolRun run;
    run.out = ReadToEnd(outRead.get());
    run.err = ReadToEnd(errRead.get());
    WaitForSingleObject(child.process(), INFINITE);
    GetExitCodeProcess(child.process(), &run.exitCode);
    return run;
}

// Runs the simulator as the program runs its setting commands: hidden, in a
// console of its own, without redirected handles. Returns the exit code.
DWORD RunToolInNewConsole(const std::string& commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    UniqueProcessInfo child;
    const std::string program = BinFolder() + "\\powercfg.exe";
    std::string line = commandLine;
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                        &startup, child.put())) {
        ADD_FAILURE() << "cannot start " << program << ": " << GetLastError();
        return 0xFFFFFFFF;
    }
    WaitForSingleObject(child.process(), INFINITE);
    DWORD exitCode = 0xFFFFFFFF;
    GetExitCodeProcess(child.process(), &exitCode);
    return exitCode;
}

// ANSI text as the simulator prints it: through UTF-16 into the OEM code page.
std::string AnsiToOem(const std::string& ansi) {
    wchar_t wide[256] = {};
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, 256);
    char oem[512] = {};
    WideCharToMultiByte(CP_OEMCP, 0, wide, length, oem, sizeof oem, nullptr, nullptr);
    return oem;
}

class SimTool : public ::testing::Test {
protected:
    void SetUp() override {
        statePath_ = folder_.path() + "\\state.txt";
        SetEnvironmentVariableA("KV_POWERCFG_STATE", statePath_.c_str());
        SetEnvironmentVariableA("KV_POWERCFG_JOURNAL", nullptr);
    }
    void TearDown() override {
        SetEnvironmentVariableA("KV_POWERCFG_STATE", nullptr);
        SetEnvironmentVariableA("KV_POWERCFG_JOURNAL", nullptr);
    }

    void WriteState(const SimState& state) { folder_.WriteFile("state.txt", SerializeSimState(state)); }
    SimState ReadState() const {
        SimState state;
        std::string error;
        EXPECT_TRUE(ParseSimState(ReadWholeFile(statePath_), state, error)) << error;
        return state;
    }
    std::string Journal() const { return ReadWholeFile(statePath_ + ".journal"); }

    // Expects a refusal: nothing on standard output, `err` on standard error,
    // exit code 1, and a state that differs only in the invocation count.
    void ExpectRefused(const std::string& commandLine, const std::string& err) {
        const std::string before = ReadWholeFile(statePath_);
        const int count = ReadState().invocations;
        const ToolRun run = RunTool(commandLine);
        EXPECT_EQ(run.exitCode, 1u) << commandLine;
        EXPECT_EQ(run.out, "") << commandLine;
        EXPECT_EQ(run.err, err) << commandLine;
        SimState after = ReadState();
        EXPECT_EQ(after.invocations, count + 1);
        after.invocations = count;
        EXPECT_EQ(SerializeSimState(after), before) << commandLine;
    }

    TempFolder folder_;
    std::string statePath_;
};

}  // namespace

TEST_F(SimTool, ListingAndDuplicationPrintExactBytes) {
    // No state file yet: the built-in plans, and the file is written.
    ToolRun run = RunTool("powercfg.exe /l");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, std::string(kHeader) +
                           "Power Scheme GUID: 381b4222-f694-41f0-9685-ff5bb260df2e  (Balanced) *\r\n"
                           "Power Scheme GUID: 8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c  (High performance)\r\n"
                           "Power Scheme GUID: a1841308-3541-4fab-bc81-f71556f20b4a  (Power saver)\r\n");
    EXPECT_EQ(ReadState().invocations, 1);

    run = RunTool(
        "POWERCFG -DUPLICATESCHEME \"8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c\" "
        "\"00000001-0000-4000-8000-000000000000\"");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "Power Scheme GUID: 00000001-0000-4000-8000-000000000000  (High performance)\r\n");

    run = RunTool(std::string("POWERCFG -DUPLICATESCHEME \"") + kBalanced + "\"");
    EXPECT_EQ(run.exitCode, 0u);
    const SimState state = ReadState();
    ASSERT_EQ(state.plans.size(), 5u);
    const std::string newGuid = state.plans.back().guid;
    EXPECT_EQ(run.out, "Power Scheme GUID: " + newGuid + "  (Balanced)\r\n");
    EXPECT_EQ(state.activeGuid, kBalanced);

    run = RunTool("powercfg.exe /l");
    EXPECT_NE(run.out.find("Power Scheme GUID: 00000001-0000-4000-8000-000000000000  (High performance)\r\n"
                           "Power Scheme GUID: 381b4222-f694-41f0-9685-ff5bb260df2e  (Balanced) *\r\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Power Scheme GUID: " + newGuid + "  (Balanced)\r\n"), std::string::npos);

    // The journal beside the state file holds every command line as run.
    EXPECT_EQ(Journal(),
              "0\tpowercfg.exe /l\r\n"
              "0\tPOWERCFG -DUPLICATESCHEME \"8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c\" "
              "\"00000001-0000-4000-8000-000000000000\"\r\n"
              "0\tPOWERCFG -DUPLICATESCHEME \"381b4222-f694-41f0-9685-ff5bb260df2e\"\r\n"
              "0\tpowercfg.exe /l\r\n");
}

TEST_F(SimTool, QuotedNamesArriveIntact) {
    WriteState(DefaultSimState());
    const std::string name = "Say \"hi\" to C:\\temp\\";
    const std::string description = "two  blanks\tand a tab\\";
    ToolRun run = RunTool("POWERCFG -CHANGENAME " + QuoteArgument(kHigh) + " " + QuoteArgument(name) + " " +
                          QuoteArgument(description));
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    SimState state = ReadState();
    EXPECT_EQ(FindPlan(state, kHigh)->name, name);
    EXPECT_EQ(FindPlan(state, kHigh)->description, description);

    // An accented ANSI name is stored as UTF-8 and listed in the OEM code page.
    const std::string accented = "Caf\xE9 plan";
    run = RunTool("POWERCFG -CHANGENAME " + QuoteArgument(kHigh) + " " + QuoteArgument(accented));
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    run = RunTool("powercfg.exe /l");
    EXPECT_NE(run.out.find("8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c  (" + AnsiToOem(accented) + ")\r\n"),
              std::string::npos)
        << run.out;
}

TEST_F(SimTool, FrenchQuerySetsTheConsolesNoBreakSpaceBeforeEachColon) {
    SetEnvironmentVariableA("KV_POWERCFG_LANGUAGE", "fr");
    const ToolRun run = RunTool("powercfg.exe /Q");
    SetEnvironmentVariableA("KV_POWERCFG_LANGUAGE", nullptr);
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    char noBreak[4] = {};
    WideCharToMultiByte(CP_OEMCP, 0, L"\u00a0", 1, noBreak, sizeof noBreak, nullptr, nullptr);
    EXPECT_EQ(run.out.rfind(std::string("GUID du mode de gestion de l'alimentation") + noBreak + ": " + kBalanced, 0),
              0u)
        << run.out.substr(0, 80);
    EXPECT_EQ(Journal(), "0\tpowercfg.exe /Q\r\n");
}

TEST_F(SimTool, RefusalsGoToStandardErrorWithExitCodeOne) {
    SimState state = DefaultSimState();
    WriteState(state);
    ExpectRefused("POWERCFG -SETACTIVE \"00000000-0000-0000-0000-000000000000\"", kNotFound);
    ExpectRefused(std::string("POWERCFG -SETACVALUEINDEX \"") + kHigh +
                      "\" \"7516b95f-f776-4464-8c53-06167f40cc99\" \"00000000-0000-0000-0000-000000000000\" \"60\"",
                  kNotFound);
    ExpectRefused(std::string("POWERCFG -SETDCVALUEINDEX \"") + kHigh +
                      "\" \"54533251-82be-4824-96c1-47b60b740d00\" \"893dee8e-2bef-41e0-89c6-b55d0929964c\" \"\"",
                  kInvalid);
    ExpectRefused(std::string("POWERCFG -SETDCVALUEINDEX \"") + kHigh +
                      "\" \"54533251-82be-4824-96c1-47b60b740d00\" \"893dee8e-2bef-41e0-89c6-b55d0929964c\" \"101\"",
                  kInvalid);
    ExpectRefused("POWERCFG -FROBNICATE", kInvalid);
    ExpectRefused("POWERCFG", kInvalid);
    ExpectRefused(std::string("POWERCFG -DELETE \"") + kBalanced + "\"",
                  "Unable to delete the active power scheme.\r\n");

    state = ReadState();
    state.hibernateSupported = false;
    WriteState(state);
    ExpectRefused("POWERCFG -H \"ON\"",
                  "Hibernation failed with the following error: The request is not supported.\r\n");

    // A success prints nothing at all.
    const ToolRun run =
        RunTool(std::string("POWERCFG -SETDCVALUEINDEX \"") + kHigh +
                "\" \"54533251-82be-4824-96c1-47b60b740d00\" \"893dee8e-2bef-41e0-89c6-b55d0929964c\" \"050\"");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(FindPlan(ReadState(), kHigh)
                  ->values.at("54533251-82be-4824-96c1-47b60b740d00/893dee8e-2bef-41e0-89c6-b55d0929964c")
                  .second,
              "50");
}

TEST_F(SimTool, InjectedFaultsAndTheJournal) {
    const std::string journal = folder_.path() + "\\commands.log";
    SetEnvironmentVariableA("KV_POWERCFG_JOURNAL", journal.c_str());
    SimState state = DefaultSimState();
    state.faults.push_back({2, "", 5, "Access is denied."});
    state.faults.push_back({0, "-SETACTIVE \"a1841308", 3, ""});
    WriteState(state);

    EXPECT_EQ(RunTool("POWERCFG -H \"ON\"").exitCode, 0u);
    ToolRun run = RunTool("POWERCFG -H \"OFF\"");
    EXPECT_EQ(run.exitCode, 5u);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Access is denied.\r\n");
    EXPECT_TRUE(ReadState().hibernateOn);

    run = RunTool("POWERCFG -SETACTIVE \"a1841308-3541-4fab-bc81-f71556f20b4a\"");
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(ReadState().activeGuid, kBalanced);
    EXPECT_EQ(RunTool(std::string("POWERCFG -SETACTIVE \"") + kHigh + "\"").exitCode, 0u);
    EXPECT_EQ(RunTool("POWERCFG -BOGUS").exitCode, 1u);
    // In a console of its own, output and refusals do not get in the way.
    EXPECT_EQ(RunToolInNewConsole("powercfg.exe /l"), 0u);
    EXPECT_EQ(RunToolInNewConsole("POWERCFG -DELETE \"nothing\""), 1u);

    const SimState after = ReadState();
    EXPECT_EQ(after.invocations, 7);
    EXPECT_EQ(after.activeGuid, kHigh);
    EXPECT_EQ(ReadWholeFile(journal),
              "0\tPOWERCFG -H \"ON\"\r\n"
              "5\tPOWERCFG -H \"OFF\"\r\n"
              "3\tPOWERCFG -SETACTIVE \"a1841308-3541-4fab-bc81-f71556f20b4a\"\r\n"
              "0\tPOWERCFG -SETACTIVE \"8c5e7fda-e8bf-4a96-9a85-a6e23a8c635c\"\r\n"
              "1\tPOWERCFG -BOGUS\r\n"
              "0\tpowercfg.exe /l\r\n"
              "1\tPOWERCFG -DELETE \"nothing\"\r\n");
    EXPECT_EQ(Journal(), "");  // not beside the state when a journal path is set
}

TEST_F(SimTool, UnreadableStateIsReportedAndKept) {
    folder_.WriteFile("state.txt", "this is not a state\n");
    const ToolRun run = RunTool("powercfg.exe /l");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("powercfg simulator: state file not understood: line 1", 0), 0u) << run.err;
    EXPECT_EQ(ReadWholeFile(statePath_), "this is not a state\n");
    EXPECT_EQ(Journal(), "1\tpowercfg.exe /l\r\n");
}
