#include "power/command_runner.h"

#include <windows.h>

#include <cstdio>
#include <iterator>
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

ProcessStart g_start = CreateProcessA;
CommandFailure g_lastFailure;

void NoteFailure(CommandFailureCause cause, unsigned long code) { g_lastFailure = {cause, code}; }

// A system call failed: the thread's last error is noted as the command's
// failure and logged with the system's text. Always false.
bool SystemCallFailed(const Reporter& reporter, const char* message) {
    const DWORD error = GetLastError();
    NoteFailure(CommandFailureCause::SystemError, error);
    reporter.SystemError("ERROR", message, error);
    return false;
}

// The same, logged with the error number alone.
bool SystemCallFailedNumber(const Reporter& reporter, const char* message) {
    const DWORD error = GetLastError();
    NoteFailure(CommandFailureCause::SystemError, error);
    reporter.ErrorNumber("ERROR", message, error);
    return false;
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

// Ends a command that ran past its limit and reports it as failed: the
// thread's last error becomes ERROR_TIMEOUT, so that the operation's failure
// report names the cause. Always false.
bool EndTimedOutCommand(const Reporter& reporter, HANDLE process, unsigned long limitMs, const char* commandLine) {
    TerminateProcess(process, ERROR_TIMEOUT);
    WaitForSingleObject(process, kEndingGraceMs);
    NoteFailure(CommandFailureCause::TimedOut, ERROR_TIMEOUT);
    reporter.Line("ERROR", "Command Timed Out", DurationText(limitMs), commandLine);
    SetLastError(ERROR_TIMEOUT);
    return false;
}

// The exit code of an ended command; false, with its log line, when it
// cannot be read.
bool ReadExitCode(const Reporter& reporter, HANDLE process, DWORD& code) {
    return GetExitCodeProcess(process, &code) || SystemCallFailed(reporter, "Exit Code Failed");
}

// A command line the child would receive cut off could run a different
// command, so a text beyond the runner's limit is refused with a log line.
bool FitsLimit(const Reporter& reporter, const char* message, std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return true;
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

bool RunHidden(const char* program, const char* commandLine) {
    if (!FitsLimit(kExecute, kCommandTooLong, commandLine, kMaxExecuteCommand)) return false;
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
    DWORD exitCode = 0;
    if (!ReadExitCode(kExecute, child.process(), exitCode)) return false;
    // Signed on purpose: exit codes above 2147483647 appear negative.
    char exitText[32];
    std::snprintf(exitText, sizeof exitText, "%d", static_cast<int>(exitCode));
    kExecute.Line("Success", "1", exitText, commandLine);
    if (exitCode != 0) NoteFailure(CommandFailureCause::ExitCode, exitCode);
    return exitCode == 0;
}

// The capture pipe: the child writes into both copies of the write end (its
// standard output, and its standard error and input); the runner reads the
// read end.
struct CapturePipe {
    UniqueHandle readEnd;
    UniqueHandle writeEnd;
    UniqueHandle writeCopy;
};

bool OpenCapturePipe(CapturePipe& pipe) {
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
    return true;
}

// Starts the command writing into the pipe, then lets go of the pipe's write
// ends: only the child (and what it starts) holds them from then on, so the
// pipe reports its end when the child is done.
bool StartCaptured(const char* program, const char* commandLine, CapturePipe& pipe, UniqueProcessInfo& child) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = pipe.writeEnd.get();
    startup.hStdError = pipe.writeCopy.get();
    startup.hStdInput = pipe.writeCopy.get();
    if (!StartCommand(kCapture, program, commandLine, 0, startup, child)) {
        SystemCallFailedNumber(kCapture, "CreateProcess  Failed");
        kCapture.Line("ERROR", "CreateProcess  Failed", "szArgs", commandLine);
        return false;
    }
    kCapture.Line("MSG", "CreateProcess  success", "szArgs", commandLine);
    // The pipe's end marks the end of the output; the process handle is kept
    // to read the exit code and to end a command that overruns its limit.
    child.closeThread();
    pipe.writeEnd.reset();
    pipe.writeCopy.reset();
    return true;
}

enum class CopyEnd { PipeEnded, WriteFailed, TimedOut };

// Copies what comes through the pipe into the output file until the pipe
// ends or the deadline passes. The pipe is read only when it holds data, so
// the copy stops at the limit even while the child, or a process it started,
// keeps the pipe open without writing. PeekNamedPipe fails with
// ERROR_BROKEN_PIPE once every writer has closed the pipe and all it held has
// been read; any other failure would fail again, so it ends the copy as well.
// After a failed write the rest is still drained, so that the command has
// finished when this returns.
CopyEnd CopyPipeToFile(HANDLE readEnd, HANDLE output, const Deadline& deadline) {
    bool copied = true;
    std::vector<char> block(kCaptureBlock);
    for (;;) {
        if (deadline.Passed()) return CopyEnd::TimedOut;
        DWORD available = 0;
        if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) break;
        if (available == 0) {
            Sleep(kPipePollMs);
            continue;
        }
        DWORD got = 0;
        if (!ReadFile(readEnd, block.data(), available < kCaptureBlock ? available : kCaptureBlock, &got, nullptr))
            break;
        if (got == 0 || !copied) continue;
        DWORD written = 0;
        if (!WriteFile(output, block.data(), got, &written, nullptr) || written != got)
            copied = SystemCallFailedNumber(kCapture, "WriteFile  Failed");
    }
    return copied ? CopyEnd::PipeEnded : CopyEnd::WriteFailed;
}

// Ends a capture past its limit: part of an output must never be read as the
// whole of it, so the file is emptied. Always false.
bool EndOverrunCapture(HANDLE output, HANDLE process, const Deadline& deadline, const char* commandLine) {
    SetFilePointer(output, 0, nullptr, FILE_BEGIN);
    SetEndOfFile(output);
    return EndTimedOutCommand(kCapture, process, deadline.limitMs, commandLine);
}

bool RunCaptured(const char* program, const char* commandLine, const char* outputPath, unsigned long* exitCode) {
    if (!FitsLimit(kCapture, kCommandTooLong, commandLine, kMaxChildCommand)) return false;
    if (!FitsLimit(kCapture, "Output Path Too Long", outputPath, kMaxOutputPath)) return false;
    UniqueFile output(CreateFileA(outputPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!output) return SystemCallFailedNumber(kCapture, "CreateFile  Failed");

    CapturePipe pipe;
    UniqueProcessInfo child;
    if (!OpenCapturePipe(pipe) || !StartCaptured(program, commandLine, pipe, child)) return false;

    const Deadline deadline;
    const CopyEnd copy = CopyPipeToFile(pipe.readEnd.get(), output.get(), deadline);
    if (copy == CopyEnd::TimedOut) return EndOverrunCapture(output.get(), child.process(), deadline, commandLine);
    if (copy == CopyEnd::WriteFailed) return false;

    // The pipe ends when the child closes its output; its exit code is there
    // once the process itself has ended.
    if (WaitForSingleObject(child.process(), deadline.Remaining()) != WAIT_OBJECT_0)
        return EndOverrunCapture(output.get(), child.process(), deadline, commandLine);
    DWORD code = 0;
    if (!ReadExitCode(kCapture, child.process(), code)) return false;
    if (exitCode) *exitCode = code;
    return true;
}
}  // namespace

bool ExecuteCMD(const char* program, const char* commandLine) {
    g_lastFailure = {};
    try {
        return RunHidden(program, commandLine);
    } catch (...) {
        ExitAfterExceptionNoError("ExecuteCMD");
    }
}

bool CreateChildProcess(const char* program, const char* commandLine, const char* outputPath, unsigned long* exitCode) {
    g_lastFailure = {};
    try {
        return RunCaptured(program, commandLine, outputPath, exitCode);
    } catch (...) {
        ExitAfterException("CreateChildProcess");
    }
}

CommandFailure TakeLastCommandFailure() { return std::exchange(g_lastFailure, CommandFailure{}); }

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
