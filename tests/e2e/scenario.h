#pragma once
// One end-to-end run of the shipped Kestrovane.exe under Wine: a fresh
// installation folder, the agent's registry key, a job document, a POWERCFG
// simulator state, and after the run the day's log read back as records.
//
//   Scenario s;
//   s.WriteJob(JobXml({DeleteStep("Old plan")}));
//   s.Run();
//   EXPECT_THAT(s.Log(), ...);
#include <windows.h>

#include <string>
#include <vector>

#include "simulator/sim_state.h"

// One record line of the log, split on tabs. A value with line breaks spans
// several physical lines; they are joined back with "\r\n" as written.
struct LogRecordLine {
    std::string dtime, user, module, type, val1, val2, val3;
};

class Scenario {
public:
    Scenario();
    ~Scenario();
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    // The installation folder (Windows path, no trailing backslash).
    const std::string& InstallPath() const { return install_; }

    // Agent key values; the constructor writes REGID "123456",
    // InstallationPath (the installation folder), MEMBERID "M77", TYPE "T1"
    // and SITEID "S9" as REG_SZ.
    void SetAgentValue(const std::string& name, const std::string& value, DWORD type = REG_SZ);
    void SetAgentDword(const std::string& name, DWORD value);
    void RemoveAgentValue(const std::string& name);

    // The Windows version the run sees, through the values Wine reads at
    // process start ("6.1", "Service Pack 1", server or workstation). Put back
    // when the scenario ends. Without it Wine reports Windows 7 SP1.
    void SetOsVersion(const std::string& currentVersion, const std::string& servicePack, bool server = false);

    // Writes the job document (job.xml in the installation folder).
    void WriteJob(const std::string& xml);
    std::string JobPath() const;

    // The packed argument; by default nine fields with ScriptId "93" and the
    // job document's path. Field indexes follow the command line's order.
    void SetField(int index, const std::string& value);
    void SetRawArgument(const std::string& argument);  // replaces the packing
    std::string Argument() const;
    // Argument() is UTF-8: a field can hold characters outside the ANSI code page.
    void UseUtf8Argument() { utf8Argument_ = true; }

    // The simulator's state before the run (DefaultSimState() unless set).
    std::string SimStatePath() const;
    void SetSimState(const SimState& state);
    SimState ReadSimState() const;
    // Every POWERCFG command line the run started, in order, as the journal
    // recorded them (exit code stripped).
    std::vector<std::string> JournalCommands() const;
    // The journal lines as written: exit code, tab, command line.
    std::vector<std::string> JournalLines() const;

    // Copies a DLL from the build's bin folder into the installation folder
    // under the name Relaynet.dll.
    void InstallRelay(const std::string& dllNameInBin);
    // Environment variables set for the run only.
    void SetEnv(const std::string& name, const std::string& value);

    // Runs another copy of Kestrovane.exe from now on (full Windows path).
    void UseProgram(const std::string& exePath) { program_ = exePath; }
    // Runs Kestrovane.exe with Argument() and waits; returns its exit code.
    DWORD Run();
    // The same in two halves, for runs that overlap: Start returns the
    // running process (the environment of SetEnv applies as it is now), Wait
    // ends it and returns its exit code.
    HANDLE Start();
    static DWORD Wait(HANDLE process);

    // The records of the run's log files (header and column line checked).
    std::vector<LogRecordLine> Log() const;
    // The same for a run that logged under another root (a run without
    // installation path logs under the root of the current drive).
    static std::vector<LogRecordLine> LogIn(const std::string& root);
    // The raw text of today's log file.
    std::string LogText() const;
    // Files in a folder under the installation path ("DorvikPostLogs", ...).
    std::vector<std::string> FilesIn(const std::string& subfolder) const;
    // The status and description of each status record saved in
    // "DorvikPostLogs" (without a relay DLL every record ends up there).
    struct SavedStatus {
        std::string status, desc;
    };
    std::vector<SavedStatus> SavedStatuses() const;

private:
    std::string install_;
    std::string program_;
    std::vector<std::string> fields_;
    std::string rawArgument_;
    bool useRaw_ = false;
    bool utf8Argument_ = false;
    std::vector<std::pair<std::string, std::string>> env_;
    struct SavedValue {
        std::string key, name;
        bool existed;
        std::string value;
    };
    std::vector<SavedValue> savedOsValues_;
};

// "module|TYPE|val1|val2|val3" for each record: compact enough to compare
// whole runs line by line.
std::vector<std::string> LogLines(const std::vector<LogRecordLine>& records);
std::string LogLineText(const LogRecordLine& record);
// The same for the records of one module only.
std::vector<std::string> LinesOf(const Scenario& s, const std::string& module);
// Whether `lines` holds `line`; whether one of them starts with `start`.
bool Contains(const std::vector<std::string>& lines, const std::string& line);
bool HasLineStarting(const std::vector<std::string>& lines, const std::string& start);

// The status record saved in the post-log folder (without a relay DLL the
// record always ends up there): its status and description. Exactly one
// record is expected.
struct Posted {
    std::string status, desc;
};
Posted PostedStatus(const Scenario& s);

// Folder of the test program, where Kestrovane.exe and its neighbours are.
std::string BinFolder();

// Job document helpers: a "scriptinstance" with the header attributes that
// match the default command line, holding the given steps.
std::string JobXml(const std::vector<std::string>& steps, const std::string& fncname = "Power Management for Vista",
                   const std::string& scriptid = "93");
// A step element with the given action and child elements (tag, text) pairs.
std::string StepXml(const std::string& action, const std::string& name,
                    const std::vector<std::pair<std::string, std::string>>& children = {});
