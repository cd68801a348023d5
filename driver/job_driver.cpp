#include "driver/job_driver.h"

#include <windows.h>

#include <string>

#include "base/fixed_text.h"
#include "base/install_path.h"
#include "base/time_limit.h"
#include "driver/parse_input.h"
#include "driver/run_lock.h"
#include "jobdoc/header_names.h"
#include "jobdoc/job_document.h"
#include "power/left_copy_recovery.h"
#include "power/job_steps.h"
#include "power/plan_operations.h"
#include "report/fatal_exit.h"
#include "report/log_writer.h"
#include "report/relay_load.h"
#include "report/reporter.h"
#include "report/status_file.h"
#include "report/status_post.h"
#include "run/installation.h"
#include "win/file_helpers.h"
#include "win/guarded_call.h"
#include "win/os_info.h"
#include "win/owners.h"
#include "win/process_watchdog.h"
#include "win/registry.h"
#include "win/text_convert.h"

namespace {
const char kModule[] = "WinMain";
constexpr Reporter kMain(kModule);
const char kRoot[] = "HKEY_LOCAL_MACHINE";

// The run's three one-second pauses wait for nothing: they keep the pace at
// which the agent has always seen a run go.
constexpr DWORD kPauseAfterXmlEngineMs = 1000;  // the XML engine is up; the job file comes next
constexpr DWORD kPauseAfterOsCheckMs = 1000;    // the OS is known; the job's header comes next
constexpr DWORD kPauseBeforeStepsMs = 1000;     // the header names this job; its steps come next

// What the run learns on its way, handed to what needs it.
struct Run {
    AgentIdentity agent{};
    bool is64BitMachine = false;
    bool statusFileEnabled = false;
    std::string statusUrl;
    JobArgs args{};
    JobHeader header{};
    // The relay DLL, loaded once at start, and its entry point.
    UniqueModule relay;
    WebPostDataProc relayEntry = nullptr;
};

// The log follows what is known of the agent: below the drive's root until
// InstallationPath is read, with the REGID read so far in a new file's header.
void PointLogAt(const Run& run) {
    SetLogDestination({run.agent.InstallationPath, run.agent.REGID, run.is64BitMachine});
}

bool ReadAgentValue(CRegistry& registry, const char* key, const char* name, char* field, std::size_t capacity) {
    if (registry.QueryValue(kRoot, key, name, field, capacity)) return true;
    LogLine(kModule, "ERROR", name, "Not Found", registry.LastErrorText());
    return false;
}

// InstallationPath names where the log, the saved records and the relay DLL
// are: a value that is empty, relative or not a REG_SZ text would put them
// wherever the current folder happens to be, so it counts as missing.
bool ReadInstallationPath(CRegistry& registry, const char* key, AgentIdentity& agent) {
    char* path = agent.InstallationPath;
    DWORD type = REG_NONE;
    if (!registry.QueryValue(kRoot, key, "InstallationPath", path, sizeof agent.InstallationPath, nullptr, &type)) {
        LogLine(kModule, "ERROR", "InstallationPath", "Not Found", registry.LastErrorText());
        return false;
    }
    const std::string problem = type == REG_SZ ? InstallationPathProblem(path, AnsiLeadBytes())
                                               : "Value is not of type REG_SZ (type " + std::to_string(type) + ")";
    if (problem.empty()) return true;
    ClearText(agent.InstallationPath);
    LogLine(kModule, "ERROR", "InstallationPath", "Not Found", problem);
    return false;
}

// The status file is written only when the agent key asks for it. Its
// absence is the normal case and is not logged.
bool StatusFileEnabled(CRegistry& registry, const char* key) {
    char enabled[16] = {};
    DWORD type = REG_NONE;
    return registry.QueryValue(kRoot, key, "StatusFileEnabled", enabled, sizeof enabled, nullptr, &type) &&
           (type == REG_DWORD || type == REG_SZ) && std::string(enabled) == "1";
}

// Reads the five agent values into `run`; false when a required one is
// missing. `logWritable` tells whether the start line reached the log.
bool ReadAgentIdentity(CRegistry& registry, Run& run, bool& logWritable) {
    AgentIdentity& agent = run.agent;
    run.is64BitMachine = Is64BitWindows();
    const std::string key = AgentKeyPath(run.is64BitMachine);
    PointLogAt(run);
    for (const AgentValue& value : kAgentValues) {
        const bool read = value.path
                              ? ReadInstallationPath(registry, key.c_str(), agent)
                              : ReadAgentValue(registry, key.c_str(), value.name, value.field(agent), value.capacity);
        if (!read && value.required) return false;
        PointLogAt(run);
        if (value.path)
            logWritable =
                LogLineWritten(kModule, "Info", "Application", "Start", "====================================");
    }
    run.statusFileEnabled = StatusFileEnabled(registry, key.c_str());
    return true;
}

// False when the DLL did not finish loading: the system's loader may then be
// held for good, and the run has no relay.
bool BindRelay(Run& run) {
    // Started before the DLL is loaded, so that none of its code runs there.
    StartProcessWatchdog();
    if (LoadRelayDll(RelayDllIn(run.agent.InstallationPath), run.relay) == RelayLoad::NotFinished) return false;
    if (!run.relay) WriteLog(kAppName, "1.0", "CreateWebPost", "INFO", "Relaynet DLL Loading Failed", "");
    // Through void* so the compiler accepts the change of function type.
    void* entry = run.relay ? reinterpret_cast<void*>(GetProcAddress(run.relay.get(), kRelayEntryName)) : nullptr;
    run.relayEntry = reinterpret_cast<WebPostDataProc>(entry);
    if (!run.relayEntry) WriteLog(kAppName, "1.0", "CreateWebPost", "ERR:", "WebPostApi Loading Failed", "");
    return true;
}

// Both reports are on disk before the relay is called (the post saves its
// record first), so nothing the relay does can lose the outcome; and the run
// ends a bounded time after the post began, whatever the relay leaves behind.
void ReportOutcome(Run& run, const Outcome& outcome) {
    if (run.statusFileEnabled) CreateStatusFile(run.agent, run.args, outcome);
    ArmProcessWatchdog(WebPostTimeBoundMs());
    CreateWebPost({run.agent, run.args, run.statusUrl, run.relayEntry}, outcome);
    // A relay call that did not return may still run the DLL's code.
    if (GuardedCallLeftBehind()) run.relay.release();
}

// What the end of the run does with the relay DLL: a run that got to its end
// (a job done, or one that was never started) unloads it and logs its end; a
// run stopped by a failure leaves it loaded until the process ends, and logs
// no end.
enum class Ending { UnloadRelay, LeaveRelayLoaded };

// The relay's DLL did not finish loading. No step runs: with the loader held,
// starting a POWERCFG command may wait on it for good (the system may load a
// DLL to start a process), and a step stopped halfway leaves a plan half made;
// a job not run can be run again once the relay is mended. The job fails with
// the reason, its record is saved (the run has no relay to post it), and the
// run ends without the clean-up that would wait on the loader.
Ending ReportRelayNotLoaded(Run& run) {
    ReportOutcome(run, Outcome::Failed("Relaynet DLL did not finish loading within " +
                                       DurationText(RelayCallLimitMs()) + " hence not processed"));
    return Ending::LeaveRelayLoaded;
}

// Each step under the run lock. A step lists the plans, decides from that
// listing and then runs its commands (a creation handed to modification, or
// the reverse, included), so no other run's command may come between its
// listing and its last command. Nothing a step leaves behind is read by the
// next one, which lists the plans afresh: the lock is let go after each step,
// and a waiting run takes its turn before this run's next step. Copies that a
// stopped run left named like their base plan are dealt with first.
class LockedSteps final : public StepCarrier {
public:
    explicit LockedSteps(std::string installationPath) : installationPath_(std::move(installationPath)) {}

    Outcome Unreadable(int, const std::string& errorText) override {
        return kMain.Refuse(errorText, "Error", "Step", "Not Readable", errorText);
    }
    // Skipped, without the lock; the line tells why the step changed nothing.
    void Skipped(int, const PwrScheme& step) override {
        LogLine(kModule, "Info", "Action", "Unknown", step.CAction.c_str());
    }
    Outcome Carry(int, const StepAction& action, const PwrScheme& step) override {
        UniqueFile runLock;
        Outcome locked = TakeRunLock(installationPath_, runLock);
        if (locked.IsFailure()) return locked;
        const std::string copyRecord = CopyRecordIn(installationPath_);
        RecoverLeftCopies(kMain, copyRecord);
        LogLine(kModule, "Info", "Action", action.shown, step.CSchName.c_str());
        return RunStepOnThisMachine(action.operation, step, copyRecord);
    }

private:
    std::string installationPath_;
};

// The outcome is posted once the steps are done, without the run lock.
Ending RunStepsAndReport(Run& run, JobDocument& document) {
    LockedSteps steps(run.agent.InstallationPath);
    const StepsEnd end = CarryOutSteps(
        [&](PwrScheme& step, std::string& errorText) { return document.ReadNextStep(step, errorText); }, steps);
    ReportOutcome(run, end.outcome);
    return end.outcome.IsFailure() ? Ending::LeaveRelayLoaded : Ending::UnloadRelay;
}

// Loads the very file the agent named, by its UTF-16 path; the log shows the
// path in the ANSI code page. False, with its line, when it is not there or
// cannot be loaded.
bool LoadJobFile(Run& run, JobDocument& document) {
    const wchar_t* jobPath = run.args.XmlFilePath;
    const std::string shownPath = WideToAnsiShown(jobPath);
    if (!FileExists(std::wstring(jobPath))) {
        LogLine(kModule, "Failed", "Input xml not found", "", shownPath);
        return false;
    }
    std::string errorText;
    if (!document.Load(jobPath, run.header.XmlRootName, errorText)) {
        LogLine(kModule, "Failed", "load Xml", "", errorText);
        return false;
    }
    LogLine(kModule, "Success", "load Xml", "", shownPath);
    LogLine(kModule, "Info", "load Xml", "", run.header.XmlRootName);
    return true;
}

void LogOsType() {
    if (!IsVistaOrLaterOs()) LogLine(kModule, "Error", "Ostype", "XP/2003/2000", "");
    LogLine(kModule, "Info", "Os Type", "", "Vista / Win 2008 / Win 7");
}

// Reads and logs the job's header; true when it is for this program's
// function and for the script the agent named.
bool HeaderNamesThisJob(Run& run, JobDocument& document) {
    JobHeader& header = run.header;
    const bool powerJob = ReadPowerJobHeader(document, header);
    LogLine(kModule, "Info", "Xml Data", "ScriptID", header.XmlScriptId);
    LogLine(kModule, "Info", "Xml Data", "ScriptVer", header.XmlScriptVer);
    LogLine(kModule, "Info", "Xml Data", "Category", header.XmlCategory);
    LogLine(kModule, "Info", "Xml Data", "FuncName", header.XmlFuncName);
    LogLine(kModule, "Info", "Xml Data", "LogOn", header.XmlLogOnUser);

    if (!powerJob) {
        LogLine(kModule, "Failed", "", "", "Function Name Not Matched");
        return false;
    }
    if (!SameTextNoCase(header.XmlScriptId, run.args.ScriptId)) {
        LogLine(kModule, "Failed", "Data comapare", "", "");
        return false;
    }
    return true;
}

// Everything from the document's creation to the end of the steps. Returns
// how the run ends; the document is released by its owner on every path.
Ending RunDocument(Run& run, JobDocument& document) {
    std::string errorText;
    if (!document.Create(errorText)) {
        LogLine(kModule, "Failed", "Initialization Xml", "", errorText);
        return Ending::UnloadRelay;
    }
    LogLine(kModule, "Success", "Xml", "", "Initialize");
    Sleep(kPauseAfterXmlEngineMs);

    if (!LoadJobFile(run, document)) return Ending::UnloadRelay;
    if (!BindRelay(run)) return ReportRelayNotLoaded(run);
    LogOsType();
    Sleep(kPauseAfterOsCheckMs);

    if (!HeaderNamesThisJob(run, document)) return Ending::UnloadRelay;
    Sleep(kPauseBeforeStepsMs);
    return RunStepsAndReport(run, document);
}

// A run that cannot write its log changes no plan that no log would record:
// the job is not loaded, and it ends as failed through the status post alone.
void ReportLogNotWritable(Run& run) {
    // A relay that does not finish loading leaves the run without one: the
    // record is saved.
    static_cast<void>(BindRelay(run));
    ReportOutcome(run, Outcome::Failed("Log File Not Writable : " + LogFolder()));
    run.relay.release();  // left loaded until the process ends, as at the failure end
}

// The whole run: the agent's values, the command line, the job.
void ReadAgentAndRunJob() {
    CRegistry registry;
    Run run;
    bool logWritable = false;
    if (!ReadAgentIdentity(registry, run, logWritable)) return;
    run.statusUrl = ReadStatusUrl(run.agent.InstallationPath);

    const wchar_t* commandLine = GetCommandLineW();
    LogLine(kModule, "Info", "Input", "", WideToAnsiShown(commandLine));
    if (!ParseInput(commandLine, run.args)) {
        LogLine(kModule, "Info", "Application", "End", "ParseInput");
        return;
    }
    if (!logWritable) {
        ReportLogNotWritable(run);
        return;
    }

    JobDocument document;
    if (RunDocument(run, document) == Ending::LeaveRelayLoaded) {
        EndNowIfGuardedCallLeftBehind();  // releasing the document could wait on what it holds
        document.Release();
        run.relay.release();  // left loaded until the process ends
        return;
    }
    run.relay.reset();
    LogLine(kModule, "Info", "Application", "End", "");
    EndNowIfGuardedCallLeftBehind();
    document.Release();
}

// The relay DLL, when loaded, is unloaded by the process exit.
[[noreturn]] void EndAfterException() {
    LogException(kModule);
    ExitProcess(0);
}

// A crash that no handler catches still ends the run with its line and exit
// code 0: the agent relies on the exit code being 0 on every path.
LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*) { EndAfterException(); }
}  // namespace

void RunJob() {
    // Under the current drive's root until the agent's values are read.
    SetLogDestination({});
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(OnUnhandledException);
    try {
        ReadAgentAndRunJob();
    } catch (...) {
        EndAfterException();
    }
}
