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
#include "report/log_writer.h"
#include "run/last_error.h"
#include "run/run_context.h"
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

ProcessStart g_start = CreateProcessA;
CommandFailure g_lastFailure;

void NoteFailure(CommandFailureCause cause, unsigned long code) { g_lastFailure = {cause, code}; }
// A failed system call: notes the thread's last error.
void NoteSystemError() { NoteFailure(CommandFailureCause::SystemError, GetLastError()); }

unsigned long CommandLimitMs() { return LimitFromEnvironment("KV_COMMAND_TIMEOUT_MS", kCommandLimitMs); }

// Ends a command that ran past its limit and reports it as failed: the
// thread's last error becomes ERROR_TIMEOUT, so that the operation's failure
// report names the cause.
void EndTimedOutCommand(const char* module, HANDLE process, unsigned long limitMs, const char* commandLine) {
    TerminateProcess(process, ERROR_TIMEOUT);
    WaitForSingleObject(process, kEndingGraceMs);
    SetLastError(ERROR_TIMEOUT);
    CaptureLastError();
    NoteFailure(CommandFailureCause::TimedOut, ERROR_TIMEOUT);
    LogLine(module, "ERROR", "Command Timed Out", DurationText(limitMs), commandLine);
    SetLastError(ERROR_TIMEOUT);
}

// The exit code of an ended command; false, with its log line, when it
// cannot be read.
bool ReadExitCode(const char* module, HANDLE process, DWORD& code) {
    if (GetExitCodeProcess(process, &code)) return true;
    NoteSystemError();
    CaptureLastError();
    LogLine(module, "ERROR", "Exit Code Failed", g_ctx.LastErrorNumber, g_ctx.LastErrorText);
    return false;
}

// A command line the child would receive cut off could run a different
// command, so a text beyond the runner's limit is refused with a log line.
bool FitsLimit(const char* module, const char* message, std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return true;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    NoteSystemError();
    CaptureLastError();
    LogLine(module, "ERROR", message, g_ctx.LastErrorNumber, g_ctx.LastErrorText);
    return false;
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
bool StartCommand(const char* module, const char* program, const char* commandLine, DWORD flags, STARTUPINFOA& startup,
                  UniqueProcessInfo& child) {
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
        LogLine(module, "Info", "Process Start Retry", std::to_string(error), commandLine);
        Sleep(kStartRetryPausesMs[retry]);
    }
}

bool RunHidden(const char* program, const char* commandLine) {
    constexpr char kModule[] = "ExecuteCMD";
    if (!FitsLimit(kModule, kCommandTooLong, commandLine, kMaxExecuteCommand)) return false;
    Sleep(100);

    char desktop[] = "winsta0\\default";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.lpDesktop = desktop;

    UniqueProcessInfo child;
    if (!StartCommand(kModule, program, commandLine, CREATE_NEW_CONSOLE, startup, child)) {
        NoteSystemError();
        CaptureLastError();
        LogLine(kModule, "ERROR", "Process as user Failed", g_ctx.LastErrorNumber, g_ctx.LastErrorText);
        return false;
    }

    const unsigned long limitMs = CommandLimitMs();
    if (WaitForSingleObject(child.process(), limitMs) == WAIT_TIMEOUT) {
        EndTimedOutCommand(kModule, child.process(), limitMs, commandLine);
        return false;
    }
    DWORD exitCode = 0;
    if (!ReadExitCode(kModule, child.process(), exitCode)) return false;
    // Signed on purpose: exit codes above 2147483647 appear negative.
    char exitText[32];
    std::snprintf(exitText, sizeof exitText, "%d", static_cast<int>(exitCode));
    LogLine(kModule, "Success", "1", exitText, commandLine);
    if (exitCode != 0) NoteFailure(CommandFailureCause::ExitCode, exitCode);
    return exitCode == 0;
}

bool RunCaptured(const char* program, const char* commandLine, const char* outputPath, unsigned long* exitCode) {
    constexpr char kModule[] = "CreateChildProcess";
    if (!FitsLimit(kModule, kCommandTooLong, commandLine, kMaxChildCommand)) return false;
    if (!FitsLimit(kModule, "Output Path Too Long", outputPath, kMaxOutputPath)) return false;

    UniqueFile output(CreateFileA(outputPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!output) {
        NoteSystemError();
        CaptureLastErrorNumber();
        LogLine(kModule, "ERROR", "CreateFile  Failed", g_ctx.LastErrorNumber, "");
        return false;
    }

    SECURITY_ATTRIBUTES inheritable{};
    inheritable.nLength = sizeof inheritable;
    inheritable.bInheritHandle = TRUE;
    UniqueHandle readEnd;
    UniqueHandle writeEnd;
    if (!CreatePipe(readEnd.put(), writeEnd.put(), &inheritable, kCaptureBlock)) {
        NoteSystemError();
        CaptureLastErrorNumber();
        LogLine("CmdExecute", "ERROR", "CreatePipe - Stdout pipe creation failed", g_ctx.LastErrorNumber, "");
        return false;
    }

    // The child's standard error and standard input are a second handle to
    // the write end: its error output lands in the same file, and it has no
    // readable input.
    UniqueHandle writeCopy;
    if (!DuplicateHandle(GetCurrentProcess(), writeEnd.get(), GetCurrentProcess(), writeCopy.put(), 0, TRUE,
                         DUPLICATE_SAME_ACCESS)) {
        NoteSystemError();
        CaptureLastErrorNumber();
        LogLine(kModule, "ERROR", "DuplicateHandle  Failed", g_ctx.LastErrorNumber, "");
        return false;
    }

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeCopy.get();
    startup.hStdInput = writeCopy.get();

    UniqueProcessInfo child;
    if (!StartCommand(kModule, program, commandLine, 0, startup, child)) {
        NoteSystemError();
        CaptureLastErrorNumber();
        LogLine(kModule, "ERROR", "CreateProcess  Failed", g_ctx.LastErrorNumber, "");
        LogLine(kModule, "ERROR", "CreateProcess  Failed", "szArgs", commandLine);
        return false;
    }
    LogLine(kModule, "MSG", "CreateProcess  success", "szArgs", commandLine);
    // The pipe's end marks the end of the output; the process handle is kept
    // to read the exit code and to end a command that overruns its limit.
    child.closeThread();
    // Only the child (and what it starts) may hold the writing side now, so
    // the pipe reports its end when the child is done.
    writeEnd.reset();
    writeCopy.reset();

    // The pipe is read only when it holds data, so the copy stops at the limit
    // even while the child, or a process it started, keeps the pipe open
    // without writing. PeekNamedPipe fails with ERROR_BROKEN_PIPE once every
    // writer has closed the pipe and all it held has been read; any other
    // failure would fail again, so it ends the copy as well. After a failed
    // write the rest is still drained, so that the command has finished when
    // this returns.
    const unsigned long limitMs = CommandLimitMs();
    const ULONGLONG start = GetTickCount64();
    bool copied = true;
    std::vector<char> block(kCaptureBlock);
    auto overrun = [&] {
        // Part of an output must never be read as the whole of it.
        SetFilePointer(output.get(), 0, nullptr, FILE_BEGIN);
        SetEndOfFile(output.get());
        EndTimedOutCommand(kModule, child.process(), limitMs, commandLine);
        return false;
    };
    for (;;) {
        if (GetTickCount64() - start >= limitMs) return overrun();
        DWORD available = 0;
        if (!PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &available, nullptr)) break;
        if (available == 0) {
            Sleep(kPipePollMs);
            continue;
        }
        DWORD got = 0;
        if (!ReadFile(readEnd.get(), block.data(), available < kCaptureBlock ? available : kCaptureBlock, &got,
                      nullptr))
            break;
        if (got == 0 || !copied) continue;
        DWORD written = 0;
        if (!WriteFile(output.get(), block.data(), got, &written, nullptr) || written != got) {
            NoteSystemError();
            CaptureLastErrorNumber();
            LogLine(kModule, "ERROR", "WriteFile  Failed", g_ctx.LastErrorNumber, "");
            copied = false;
        }
    }
    if (!copied) return false;

    // The pipe ends when the child closes its output; its exit code is there
    // once the process itself has ended.
    const ULONGLONG spent = GetTickCount64() - start;
    const DWORD remaining = spent >= limitMs ? 0 : static_cast<DWORD>(limitMs - spent);
    if (WaitForSingleObject(child.process(), remaining) != WAIT_OBJECT_0) return overrun();
    DWORD code = 0;
    if (!ReadExitCode(kModule, child.process(), code)) return false;
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
