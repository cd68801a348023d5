#include "power/command_runner.h"

#include <windows.h>

#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/time_limit.h"
#include "power/process_start.h"
#include "report/fatal_exit.h"
#include "report/reporter.h"
#include "win/limit_setting.h"
#include "win/owners.h"

namespace {
// Longest texts the runners accept; longer ones are refused, never cut.
constexpr std::size_t kMaxExecuteCommand = 2047;
constexpr std::size_t kMaxChildCommand = 255;
constexpr std::size_t kMaxOutputPath = 1023;

constexpr char kCommandTooLong[] = "Command Line Too Long";

// No POWERCFG command takes anywhere near this long; one that does is ended,
// so a hung command cannot hold the run (and the run lock) forever. The
// environment variable KV_COMMAND_TIMEOUT_MS may shorten the limit.
constexpr unsigned long kCommandLimitMs = 5 * 60 * 1000;
// The pause before each hidden command.
constexpr DWORD kPauseBeforeHiddenMs = 100;
// How long a command that has been ended may take to go.
constexpr DWORD kEndingGraceMs = 5000;
// Pause between looks at a capture pipe that has nothing to read.
constexpr DWORD kPipePollMs = 10;
// The capture pipe's buffer and the blocks it is read in: a large listing is
// copied in few reads.
constexpr DWORD kCaptureBlock = 64 * 1024;
// Pauses before the second and the third try of a start that failed for a
// passing reason.
constexpr DWORD kStartRetryPausesMs[] = {500, 1000};

// The modules the runners' lines are logged under; the pipe's failure has
// always been logged as "CmdExecute".
constexpr Reporter kExecute("ExecuteCMD");
constexpr Reporter kCapture("CreateChildProcess");
constexpr Reporter kPipe("CmdExecute");

// The start function; tests replace it to make starts fail.
ProcessStart g_start = CreateProcessA;

CommandResult Failed(CommandFailureCause cause, unsigned long code) {
    CommandResult result;
    result.failure = {cause, code};
    return result;
}

// A system call failed: the thread's last error is the command's failure,
// logged with the system's text.
CommandResult SystemCallFailed(const Reporter& reporter, const char* message) {
    const DWORD error = GetLastError();
    reporter.SystemError("ERROR", message, error);
    return Failed(CommandFailureCause::SystemError, error);
}

// The same, logged with the error number alone.
CommandResult SystemCallFailedNumber(const Reporter& reporter, const char* message) {
    const DWORD error = GetLastError();
    reporter.ErrorNumber("ERROR", message, error);
    return Failed(CommandFailureCause::SystemError, error);
}

unsigned long CommandLimitMs() { return LimitFromEnvironment("KV_COMMAND_TIMEOUT_MS", kCommandLimitMs); }

// The time a command has, from its start.
struct Deadline {
    unsigned long limitMs = CommandLimitMs();
    ULONGLONG start = GetTickCount64();

    bool Passed() const { return GetTickCount64() - start >= limitMs; }
    DWORD Remaining() const {
        const ULONGLONG spent = GetTickCount64() - start;
        return spent >= limitMs ? 0 : static_cast<DWORD>(limitMs - spent);
    }
};

// Ends a command that ran past its limit and reports it as failed with the
// cause, so that the operation's failure report names it.
CommandResult EndTimedOutCommand(const Reporter& reporter, HANDLE process, unsigned long limitMs,
                                 const char* commandLine) {
    TerminateProcess(process, ERROR_TIMEOUT);
    WaitForSingleObject(process, kEndingGraceMs);
    reporter.Line("ERROR", "Command Timed Out", DurationText(limitMs), commandLine);
    return Failed(CommandFailureCause::TimedOut, ERROR_TIMEOUT);
}

// The result of an ended command by its exit code; a failure, with its log
// line, when the exit code cannot be read.
CommandResult ExitResult(const Reporter& reporter, HANDLE process) {
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code)) return SystemCallFailed(reporter, "Exit Code Failed");
    CommandResult result;
    result.exitCode = code;
    if (code != 0) result.failure = {CommandFailureCause::ExitCode, code};
    return result;
}

// A command line the child would receive cut off could run a different
// command, so a text beyond the runner's limit is refused with a log line.
std::optional<CommandResult> TooLong(const Reporter& reporter, const char* message, std::string_view text,
                                     std::size_t limit) {
    if (text.size() <= limit) return std::nullopt;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return SystemCallFailed(reporter, message);
}

// Start failures that pass once the system has recovered: memory, quotas and
// kernel resources that were short under load, and the internal error a
// start under load has been seen to fail with. Anything else (a missing
// program, a refused access) fails the same way when tried again.
bool StartFailurePasses(DWORD error) {
    switch (error) {
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
        case ERROR_INTERNAL_ERROR:
        case ERROR_NO_SYSTEM_RESOURCES:
        case ERROR_NONPAGED_SYSTEM_RESOURCES:
        case ERROR_PAGED_SYSTEM_RESOURCES:
        case ERROR_WORKING_SET_QUOTA:
        case ERROR_PAGEFILE_QUOTA:
        case ERROR_COMMITMENT_LIMIT:
        case ERROR_NOT_ENOUGH_QUOTA:
            return true;
        default:
            return false;
    }
}

// Starts the command; a start that failed for a passing reason is tried again
// after a pause, at most twice, with a log line each. Only starts are
// repeated: a process that was created is never created again. On false the
// thread's last error is the last start's.
bool StartCommand(const Reporter& reporter, const char* program, const char* commandLine, DWORD flags,
                  STARTUPINFOA& startup, UniqueProcessInfo& child) {
    for (std::size_t retry = 0;; ++retry) {
        // The start may write into its command-line argument.
        std::string command(commandLine);
        if (g_start(program, &command[0], nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup, child.put()))
            return true;
        const DWORD error = GetLastError();
        if (retry == std::size(kStartRetryPausesMs) || !StartFailurePasses(error)) {
            SetLastError(error);
            return false;
        }
        reporter.Line("Info", "Process Start Retry", std::to_string(error), commandLine);
        Sleep(kStartRetryPausesMs[retry]);
    }
}

CommandResult RunHidden(const char* program, const char* commandLine) {
    if (auto refused = TooLong(kExecute, kCommandTooLong, commandLine, kMaxExecuteCommand)) return *refused;
    Sleep(kPauseBeforeHiddenMs);

    char desktop[] = "winsta0\\default";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.lpDesktop = desktop;

    UniqueProcessInfo child;
    if (!StartCommand(kExecute, program, commandLine, CREATE_NEW_CONSOLE, startup, child))
        return SystemCallFailed(kExecute, "Process as user Failed");

    const unsigned long limitMs = CommandLimitMs();
    if (WaitForSingleObject(child.process(), limitMs) == WAIT_TIMEOUT)
        return EndTimedOutCommand(kExecute, child.process(), limitMs, commandLine);
    const CommandResult result = ExitResult(kExecute, child.process());
    if (!result.Ran()) return result;
    // Signed on purpose: exit codes above 2147483647 appear negative.
    char exitText[32];
    std::snprintf(exitText, sizeof exitText, "%d", static_cast<int>(result.exitCode));
    kExecute.Line("Success", "1", exitText, commandLine);
    return result;
}

// The capture pipe: the child writes into both copies of the write end (its
// standard output, and its standard error and input); the runner reads the
// read end.
struct CapturePipe {
    UniqueHandle readEnd;
    UniqueHandle writeEnd;
    UniqueHandle writeCopy;
};

std::optional<CommandResult> OpenCapturePipe(CapturePipe& pipe) {
    SECURITY_ATTRIBUTES inheritable{};
    inheritable.nLength = sizeof inheritable;
    inheritable.bInheritHandle = TRUE;
    if (!CreatePipe(pipe.readEnd.put(), pipe.writeEnd.put(), &inheritable, kCaptureBlock))
        return SystemCallFailedNumber(kPipe, "CreatePipe - Stdout pipe creation failed");
    // The child's standard error and standard input are a second handle to
    // the write end: its error output lands in the same file, and it has no
    // readable input.
    if (!DuplicateHandle(GetCurrentProcess(), pipe.writeEnd.get(), GetCurrentProcess(), pipe.writeCopy.put(), 0, TRUE,
                         DUPLICATE_SAME_ACCESS))
        return SystemCallFailedNumber(kCapture, "DuplicateHandle  Failed");
    return std::nullopt;
}

// Starts the command writing into the pipe, then lets go of the pipe's write
// ends: only the child (and what it starts) holds them from then on, so the
// pipe reports its end when the child is done.
std::optional<CommandResult> StartCaptured(const char* program, const char* commandLine, CapturePipe& pipe,
                                           UniqueProcessInfo& child) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = pipe.writeEnd.get();
    startup.hStdError = pipe.writeCopy.get();
    startup.hStdInput = pipe.writeCopy.get();
    if (!StartCommand(kCapture, program, commandLine, 0, startup, child)) {
        CommandResult failed = SystemCallFailedNumber(kCapture, "CreateProcess  Failed");
        kCapture.Line("ERROR", "CreateProcess  Failed", "szArgs", commandLine);
        return failed;
    }
    kCapture.Line("MSG", "CreateProcess  success", "szArgs", commandLine);
    // The pipe's end marks the end of the output; the process handle is kept
    // to read the exit code and to end a command that overruns its limit.
    child.closeThread();
    pipe.writeEnd.reset();
    pipe.writeCopy.reset();
    return std::nullopt;
}

// Where a capture goes: the output text, and the file when one is given.
struct CaptureSink {
    UniqueFile file;  // empty: the output is kept in memory alone
    std::string output;
    std::optional<CommandResult> writeFailure;

    void Append(const char* bytes, DWORD size) {
        output.append(bytes, size);
        if (!file || writeFailure) return;
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes, size, &written, nullptr) || written != size)
            writeFailure = SystemCallFailedNumber(kCapture, "WriteFile  Failed");
    }
    // Part of an output must never be read as the whole of it.
    void Empty() {
        output.clear();
        if (!file) return;
        SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
        SetEndOfFile(file.get());
    }
};

// Copies what comes through the pipe into the sink until the pipe ends or
// the deadline passes (false). The pipe is read only when it holds data, so
// the copy stops at the limit even while the child, or a process it started,
// keeps the pipe open without writing. PeekNamedPipe fails with
// ERROR_BROKEN_PIPE once every writer has closed the pipe and all it held has
// been read; any other failure would fail again, so it ends the copy as well.
// After a failed write the rest is still drained, so that the command has
// finished when this returns.
bool CopyPipe(HANDLE readEnd, CaptureSink& sink, const Deadline& deadline) {
    std::vector<char> block(kCaptureBlock);
    for (;;) {
        if (deadline.Passed()) return false;
        DWORD available = 0;
        if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) return true;
        if (available == 0) {
            Sleep(kPipePollMs);
            continue;
        }
        DWORD got = 0;
        if (!ReadFile(readEnd, block.data(), available < kCaptureBlock ? available : kCaptureBlock, &got, nullptr))
            return true;
        if (got != 0) sink.Append(block.data(), got);
    }
}

// Ends a capture past its limit, its output emptied.
CommandResult EndOverrunCapture(CaptureSink& sink, HANDLE process, const Deadline& deadline, const char* commandLine) {
    sink.Empty();
    return EndTimedOutCommand(kCapture, process, deadline.limitMs, commandLine);
}

CommandResult RunCaptured(const char* program, const char* commandLine, const char* outputPath) {
    if (auto refused = TooLong(kCapture, kCommandTooLong, commandLine, kMaxChildCommand)) return *refused;
    CaptureSink sink;
    if (outputPath != nullptr) {
        if (auto refused = TooLong(kCapture, "Output Path Too Long", outputPath, kMaxOutputPath)) return *refused;
        sink.file.reset(CreateFileA(outputPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!sink.file) return SystemCallFailedNumber(kCapture, "CreateFile  Failed");
    }

    CapturePipe pipe;
    UniqueProcessInfo child;
    if (auto failed = OpenCapturePipe(pipe)) return *failed;
    if (auto failed = StartCaptured(program, commandLine, pipe, child)) return *failed;

    const Deadline deadline;
    if (!CopyPipe(pipe.readEnd.get(), sink, deadline))
        return EndOverrunCapture(sink, child.process(), deadline, commandLine);
    if (sink.writeFailure) return *sink.writeFailure;

    // The pipe ends when the child closes its output; its exit code is there
    // once the process itself has ended.
    if (WaitForSingleObject(child.process(), deadline.Remaining()) != WAIT_OBJECT_0)
        return EndOverrunCapture(sink, child.process(), deadline, commandLine);
    CommandResult result = ExitResult(kCapture, child.process());
    if (result.Ran()) result.output = std::move(sink.output);
    return result;
}
}  // namespace

CommandResult ExecuteCMD(const char* program, const char* commandLine) {
    try {
        return RunHidden(program, commandLine);
    } catch (...) {
        ExitAfterExceptionNoError("ExecuteCMD");
    }
}

CommandResult CreateChildProcess(const char* program, const char* commandLine, const char* outputPath) {
    try {
        return RunCaptured(program, commandLine, outputPath);
    } catch (...) {
        ExitAfterException("CreateChildProcess");
    }
}

ProcessStart ReplaceProcessStart(ProcessStart start) {
    return std::exchange(g_start, start != nullptr ? start : CreateProcessA);
}

const char* PowercfgProgram() {
    static const std::string path = [] {
        char folder[MAX_PATH] = {};
        const UINT n = GetSystemDirectoryA(folder, sizeof folder);
        // Without the system folder nothing is started rather than a
        // powercfg.exe from the root of the current drive.
        if (n == 0 || n >= sizeof folder) return std::string();
        return std::string(folder, n) + "\\powercfg.exe";
    }();
    return path.c_str();
}
