#include "power/command_runner.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fakes/child_tool/pattern.h"
#include "power/process_start.h"
#include "report/log_writer.h"
#include "report/reporter.h"
#include "tests/win/day_log.h"
#include "tests/win/temp_folder.h"
#include "win/file_helpers.h"

namespace {
// Each case logs into its own installation folder.
class CommandRunnerTest : public ::testing::Test {
protected:
    void SetUp() override { SetLogDestination({temp_.path(), "", false}); }
    void TearDown() override { ClearLogDestination(); }

    std::string Tool() const { return ProgramFolder() + "\\child_tool.exe"; }

    // True when the log holds a record with these columns from the module on.
    bool Logged(const std::string& columns) const {
        return ReadRunLog(temp_.path()).find("\t" + columns) != std::string::npos;
    }

    TempFolder temp_;
};

// A start that fails the first `failures` times with `error`, then starts for
// real; it counts every start.
struct FlakyStart {
    static inline int starts = 0, failures = 0;
    static inline DWORD error = 0;
    static BOOL WINAPI Start(LPCSTR program, LPSTR line, LPSECURITY_ATTRIBUTES p, LPSECURITY_ATTRIBUTES t, BOOL inherit,
                             DWORD flags, LPVOID env, LPCSTR folder, LPSTARTUPINFOA si, LPPROCESS_INFORMATION pi) {
        ++starts;
        if (failures-- > 0) return SetLastError(error), FALSE;
        return CreateProcessA(program, line, p, t, inherit, flags, env, folder, si, pi);
    }
    FlakyStart() { ReplaceProcessStart(Start); }
    ~FlakyStart() { ReplaceProcessStart(nullptr); }
    void Fail(int times, DWORD with) { starts = 0, failures = times, error = with; }
};
}  // namespace

TEST_F(CommandRunnerTest, ExecuteReportsExitCodesAndStartFailures) {
    EXPECT_TRUE(ExecuteCMD(Tool().c_str(), "child_tool.exe --exit 0").Succeeded());
    EXPECT_TRUE(Logged("ExecuteCMD\tSUCCESS\t1\t0\tchild_tool.exe --exit 0\r\n"));

    // A non-zero exit is logged as "Success" but is not a success.
    const CommandResult exited = ExecuteCMD(Tool().c_str(), "child_tool.exe --exit 1");
    EXPECT_TRUE(exited.Ran());
    EXPECT_EQ(exited.failure.cause, CommandFailureCause::ExitCode);
    EXPECT_TRUE(Logged("ExecuteCMD\tSUCCESS\t1\t1\tchild_tool.exe --exit 1\r\n"));

    EXPECT_FALSE(ExecuteCMD(Tool().c_str(), "child_tool.exe --exit 4294967295").Succeeded());
    EXPECT_TRUE(Logged("ExecuteCMD\tSUCCESS\t1\t-1\tchild_tool.exe --exit 4294967295\r\n"));

    const std::string missing = temp_.path() + "\\missing.exe";
    const CommandResult notStarted = ExecuteCMD(missing.c_str(), "missing.exe /l");
    EXPECT_FALSE(notStarted.Ran());
    EXPECT_EQ(notStarted.failure.code, 2u);
    const std::string text = SystemErrorText(2);
    ASSERT_GT(text.size(), 2u);
    // The system text ends with a line break, which the log writes in text mode.
    EXPECT_TRUE(Logged("ExecuteCMD\tERROR\tProcess as user Failed\t2\t" + text.substr(0, text.size() - 2)));
    EXPECT_FALSE(Logged("missing.exe /l"));

    // Too long to pass on whole: refused, nothing started.
    const std::string touched = temp_.path() + "\\ran";
    const std::string longLine = "child_tool.exe --touch " + touched + " --text " + std::string(2047, 'x');
    EXPECT_FALSE(ExecuteCMD(Tool().c_str(), longLine.c_str()).Ran());
    EXPECT_TRUE(Logged("ExecuteCMD\tERROR\tCommand Line Too Long\t206\t"));
    EXPECT_FALSE(FileExists(touched));
}

TEST_F(CommandRunnerTest, CaptureCopiesOutputAndErrorsByteForByte) {
    const std::string out = temp_.path() + "\\out.txt";
    // Far more than a pipe buffer, with every byte value.
    const unsigned long size = 300000;
    const std::string command = "child_tool.exe --out " + std::to_string(size) + " --err E!";
    const CommandResult large = CreateChildProcess(Tool().c_str(), command.c_str(), out.c_str());
    ASSERT_TRUE(large.Succeeded());
    std::string expected;
    for (unsigned long i = 0; i < size; ++i) expected += static_cast<char>(PatternByte(i));
    expected += "E!";
    const std::string captured = ReadWholeFile(out);
    EXPECT_EQ(expected.size(), captured.size());
    EXPECT_TRUE(captured == expected);
    EXPECT_TRUE(large.output == expected);
    EXPECT_TRUE(Logged("CreateChildProcess\tMSG\tCreateProcess  success\tszArgs\t" + command + "\r\n"));

    // An earlier, longer file is replaced, not appended to; the exit code
    // does not decide the result but is handed to the caller.
    const CommandResult exited = CreateChildProcess(Tool().c_str(), "child_tool.exe --text new --exit 3", out.c_str());
    ASSERT_TRUE(exited.Ran());
    EXPECT_EQ("new", ReadWholeFile(out));
    EXPECT_EQ(3u, exited.exitCode);

    // A command that prints nothing leaves an empty file.
    ASSERT_TRUE(CreateChildProcess(Tool().c_str(), "child_tool.exe", out.c_str()).Succeeded());
    EXPECT_TRUE(FileExists(out));
    EXPECT_EQ("", ReadWholeFile(out));
}

TEST_F(CommandRunnerTest, CaptureRefusesWhatItCannotCarryOut) {
    const std::string touched = temp_.path() + "\\ran";
    const std::string command = "child_tool.exe --touch " + touched;

    // The output folder does not exist: nothing is run.
    const std::string lost = temp_.path() + "\\no such folder\\out.txt";
    EXPECT_FALSE(CreateChildProcess(Tool().c_str(), command.c_str(), lost.c_str()).Ran());
    EXPECT_TRUE(Logged("CreateChildProcess\tERROR\tCreateFile  Failed\t3\t\r\n"));
    EXPECT_FALSE(FileExists(touched));

    const std::string out = temp_.path() + "\\out.txt";
    const std::string missing = temp_.path() + "\\missing.exe";
    EXPECT_FALSE(CreateChildProcess(missing.c_str(), "missing.exe /l", out.c_str()).Ran());
    EXPECT_TRUE(Logged("CreateChildProcess\tERROR\tCreateProcess  Failed\t2\t\r\n"));
    EXPECT_TRUE(Logged("CreateChildProcess\tERROR\tCreateProcess  Failed\tszArgs\tmissing.exe /l\r\n"));

    // Over-long texts are refused whole rather than cut.
    const std::string longLine = command + " --text " + std::string(255, 'x');
    EXPECT_FALSE(CreateChildProcess(Tool().c_str(), longLine.c_str(), out.c_str()).Ran());
    EXPECT_TRUE(Logged("CreateChildProcess\tERROR\tCommand Line Too Long\t206\t"));
    const std::string longPath = temp_.path() + "\\" + std::string(1024, 'p');
    EXPECT_FALSE(CreateChildProcess(Tool().c_str(), command.c_str(), longPath.c_str()).Ran());
    EXPECT_TRUE(Logged("CreateChildProcess\tERROR\tOutput Path Too Long\t206\t"));
    EXPECT_FALSE(FileExists(touched));
}

// The capture stops at the limit even when the command itself has ended but
// left a process behind that holds its output pipe; what was captured is not
// kept as if it were the whole output.
TEST_F(CommandRunnerTest, CaptureStopsAtTheLimitWhileALeftProcessHoldsThePipe) {
    SetEnvironmentVariableA("KV_COMMAND_TIMEOUT_MS", "2000");
    const std::string out = temp_.path() + "\\out.txt";
    const char command[] = "child_tool.exe --text partial --leave 5000";
    const ULONGLONG start = GetTickCount64();
    const CommandResult overran = CreateChildProcess(Tool().c_str(), command, out.c_str());
    EXPECT_FALSE(overran.Ran());
    const ULONGLONG elapsed = GetTickCount64() - start;
    SetEnvironmentVariableA("KV_COMMAND_TIMEOUT_MS", nullptr);

    EXPECT_GE(elapsed, 2000u);
    EXPECT_LT(elapsed, 4500u);
    EXPECT_EQ("", ReadWholeFile(out));
    EXPECT_EQ(overran.failure.cause, CommandFailureCause::TimedOut);
    EXPECT_EQ(overran.output, "");
    EXPECT_TRUE(Logged(std::string("CreateChildProcess\tERROR\tCommand Timed Out\t2 seconds\t") + command + "\r\n"));
}

// A start that failed for a passing reason is tried again, at most twice; a
// command that started is never run again, whatever its exit code.
TEST_F(CommandRunnerTest, StartsThatFailForAPassingReasonAreTriedAgain) {
    FlakyStart flaky;
    flaky.Fail(2, ERROR_INTERNAL_ERROR);
    EXPECT_TRUE(ExecuteCMD(Tool().c_str(), "child_tool.exe --exit 0").Succeeded());
    EXPECT_EQ(3, FlakyStart::starts);
    EXPECT_TRUE(Logged("ExecuteCMD\tINFO\tProcess Start Retry\t1359\tchild_tool.exe --exit 0\r\n"));

    flaky.Fail(3, ERROR_NO_SYSTEM_RESOURCES);
    EXPECT_EQ(ExecuteCMD(Tool().c_str(), "child_tool.exe --exit 2").failure.code, 1450u);
    EXPECT_EQ(3, FlakyStart::starts);
    EXPECT_TRUE(Logged("ExecuteCMD\tERROR\tProcess as user Failed\t1450\t"));

    flaky.Fail(1, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(ExecuteCMD(Tool().c_str(), "child_tool.exe --exit 4").Ran());
    EXPECT_EQ(1, FlakyStart::starts);
    flaky.Fail(0, 0);
    EXPECT_EQ(ExecuteCMD(Tool().c_str(), "child_tool.exe --exit 3").failure.cause, CommandFailureCause::ExitCode);
    EXPECT_EQ(1, FlakyStart::starts);

    const std::string out = temp_.path() + "\\out.txt";
    flaky.Fail(1, ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_TRUE(CreateChildProcess(Tool().c_str(), "child_tool.exe --text ok", out.c_str()).Succeeded());
    EXPECT_EQ(2, FlakyStart::starts);
    EXPECT_EQ("ok", ReadWholeFile(out));
}
