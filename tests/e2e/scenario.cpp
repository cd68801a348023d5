#include "tests/e2e/scenario.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <gtest/gtest.h>

#include "tests/win/day_log.h"
#include "tests/win/temp_folder.h"
#include "win/os_info.h"
#include "win/owners.h"

namespace {
std::string AgentKey() { return Is64BitWindows() ? "SOFTWARE\\Wow6432Node\\KORVAN" : "SOFTWARE\\KORVAN"; }

void WriteText(const std::string& path, const std::string& content) {
    if (!WriteFileBytes(path, content)) throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool StartsWithRecordDate(const std::string& line) {
    // "DD/MM/YYYY " opens every record line.
    if (line.size() < 11) return false;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (line[i] < '0' || line[i] > '9') return false;
    return line[2] == '/' && line[5] == '/' && line[10] == ' ';
}

std::string XmlEscape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

std::string g_installedSimulator;

void InstallSimulatorOnce() {
    if (!g_installedSimulator.empty()) return;
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof system);
    const std::string target = std::string(system) + "\\powercfg.exe";
    if (!CopyFileA((BinFolder() + "\\powercfg.exe").c_str(), target.c_str(), FALSE))
        throw std::runtime_error("cannot install the POWERCFG simulator into " + target);
    g_installedSimulator = target;
}

int g_scenarioCount = 0;
}  // namespace

std::string BinFolder() {
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

Scenario::Scenario() {
    InstallSimulatorOnce();
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    char name[64];
    // Wine reuses process ids between runs, so the tick count keeps folders
    // of earlier runs (kept when a scenario failed) apart from this one.
    std::snprintf(name, sizeof name, "kve2e_%lu_%llu_%d", GetCurrentProcessId(),
                  static_cast<unsigned long long>(GetTickCount64()), ++g_scenarioCount);
    install_ = std::string(temp) + name;
    RemoveFolderTree(install_);
    CreateDirectoryA(install_.c_str(), nullptr);
    CreateDirectoryA((install_ + "\\sim").c_str(), nullptr);

    RegDeleteTreeA(HKEY_LOCAL_MACHINE, AgentKey().c_str());
    SetAgentValue("REGID", "123456");
    SetAgentValue("InstallationPath", install_);
    SetAgentValue("MEMBERID", "M77");
    SetAgentValue("TYPE", "T1");
    SetAgentValue("SITEID", "S9");

    fields_ = {"OD", "93", JobPath(), "4711", "user", "12/08/2026 10:30:45", "I-1", "1", "SJ9"};
    SetSimState(DefaultSimState());
}

Scenario::~Scenario() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, AgentKey().c_str());
    for (const auto& saved : savedOsValues_) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, saved.key.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) continue;
        if (saved.existed)
            RegSetValueExA(key, saved.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(saved.value.c_str()),
                           static_cast<DWORD>(saved.value.size() + 1));
        else
            RegDeleteValueA(key, saved.name.c_str());
        RegCloseKey(key);
    }
    // Leave the folder for inspection when a test failed; otherwise remove it.
    if (!::testing::Test::HasFailure()) {
        RemoveFolderTree(install_);
    }
}

void Scenario::SetAgentValue(const std::string& name, const std::string& value, DWORD type) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, AgentKey().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void Scenario::SetAgentDword(const std::string& name, DWORD value) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, AgentKey().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void Scenario::RemoveAgentValue(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, AgentKey().c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
}

void Scenario::SetOsVersion(const std::string& currentVersion, const std::string& servicePack, bool server) {
    const struct {
        const char* key;
        const char* name;
        std::string value;
    } values[] = {
        {"Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", currentVersion},
        {"Software\\Microsoft\\Windows NT\\CurrentVersion", "CSDVersion", servicePack},
        {"System\\CurrentControlSet\\Control\\ProductOptions", "ProductType", server ? "ServerNT" : "WinNT"},
    };
    for (const auto& v : values) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, v.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            continue;
        char old[512] = {};
        DWORD size = sizeof old - 1;
        DWORD type = 0;
        const bool existed =
            RegQueryValueExA(key, v.name, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        savedOsValues_.push_back({v.key, v.name, existed, old});
        RegSetValueExA(key, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.value.c_str()),
                       static_cast<DWORD>(v.value.size() + 1));
        RegCloseKey(key);
    }
}

void Scenario::WriteJob(const std::string& xml) { WriteText(JobPath(), xml); }

std::string Scenario::JobPath() const { return install_ + "\\job.xml"; }

void Scenario::SetField(int index, const std::string& value) { fields_.at(static_cast<std::size_t>(index)) = value; }

void Scenario::SetRawArgument(const std::string& argument) {
    rawArgument_ = argument;
    useRaw_ = true;
}

std::string Scenario::Argument() const {
    if (useRaw_) return rawArgument_;
    std::string packed;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (i) packed += "@#@";
        packed += fields_[i];
    }
    return packed;
}

std::string Scenario::SimStatePath() const { return install_ + "\\sim\\state.txt"; }

void Scenario::SetSimState(const SimState& state) { WriteText(SimStatePath(), SerializeSimState(state)); }

SimState Scenario::ReadSimState() const {
    SimState state;
    std::string error;
    if (!ParseSimState(ReadWholeFile(SimStatePath()), state, error))
        throw std::runtime_error("simulator state unreadable: " + error);
    return state;
}

std::vector<std::string> Scenario::JournalLines() const {
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(ReadWholeFile(SimStatePath() + ".journal")))
        if (!line.empty()) lines.push_back(line);
    return lines;
}

std::vector<std::string> Scenario::JournalCommands() const {
    std::vector<std::string> commands;
    for (const std::string& line : JournalLines()) {
        const std::size_t tab = line.find('\t');
        commands.push_back(tab == std::string::npos ? line : line.substr(tab + 1));
    }
    return commands;
}

void Scenario::InstallRelay(const std::string& dllNameInBin) {
    const std::string from = BinFolder() + "\\" + dllNameInBin;
    if (!CopyFileA(from.c_str(), (install_ + "\\Relaynet.dll").c_str(), FALSE))
        throw std::runtime_error("cannot copy " + from);
}

void Scenario::SetEnv(const std::string& name, const std::string& value) { env_.emplace_back(name, value); }

DWORD Scenario::Run() { return Wait(Start()); }

HANDLE Scenario::Start() {
    std::vector<std::pair<std::string, std::string>> env = env_;
    env.emplace_back("KV_POWERCFG_STATE", SimStatePath());
    env.emplace_back("KV_POWERCFG_JOURNAL", SimStatePath() + ".journal");
    for (const auto& [name, value] : env) SetEnvironmentVariableA(name.c_str(), value.c_str());

    const std::string exe = program_.empty() ? BinFolder() + "\\Kestrovane.exe" : program_;
    const std::string commandLine = "\"" + exe + "\" " + Argument();
    // The line is read as CreateProcessA would read it, or as UTF-8.
    std::vector<wchar_t> line(commandLine.size() + 1), folder(install_.size() + 1);
    MultiByteToWideChar(utf8Argument_ ? CP_UTF8 : CP_ACP, 0, commandLine.c_str(), -1, line.data(),
                        static_cast<int>(line.size()));
    MultiByteToWideChar(CP_ACP, 0, install_.c_str(), -1, folder.data(), static_cast<int>(folder.size()));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    UniqueProcessInfo child;
    const BOOL started =
        CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.data(), &startup, child.put());
    for (const auto& entry : env) SetEnvironmentVariableA(entry.first.c_str(), nullptr);
    if (!started) throw std::runtime_error("cannot start " + exe);
    return child.releaseProcess();
}

DWORD Scenario::Wait(HANDLE process) {
    DWORD exitCode = 0xFFFFFFFF;
    if (WaitForSingleObject(process, 10 * 60 * 1000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 0xDEAD);
        WaitForSingleObject(process, INFINITE);
        ADD_FAILURE() << "Kestrovane.exe did not end within ten minutes";
    }
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    return exitCode;
}

std::string Scenario::LogText() const { return ReadRunLog(install_); }

std::vector<LogRecordLine> Scenario::Log() const { return LogIn(install_); }

std::vector<LogRecordLine> Scenario::LogIn(const std::string& root) {
    std::vector<LogRecordLine> records;
    std::vector<std::string> raw;
    const std::vector<std::string> lines = SplitLines(ReadRunLog(root));
    static const char* const kHeaderStarts[] = {
        "#Software: ", "#Version: ", "#Regid : ", "#Operating System :  ", "#Date: "};
    const std::string columnLine = "#Fields:\tdtime\tSession User Name\tmodule\ttype\tval1\tval2\tval3";
    for (const std::string& line : lines) {
        bool header = line == columnLine;
        for (const char* start : kHeaderStarts) header = header || line.rfind(start, 0) == 0;
        if (header) continue;
        if (StartsWithRecordDate(line) || raw.empty())
            raw.push_back(line);
        else
            raw.back() += "\n" + line;  // a value with line breaks continues here
    }
    for (const std::string& line : raw) {
        std::vector<std::string> columns;
        std::size_t start = 0;
        for (int i = 0; i < 6; ++i) {
            const std::size_t tab = line.find('\t', start);
            if (tab == std::string::npos) break;
            columns.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        columns.push_back(line.substr(start));
        if (columns.size() != 7) {
            ADD_FAILURE() << "log line without seven columns: " << line;
            continue;
        }
        records.push_back({columns[0], columns[1], columns[2], columns[3], columns[4], columns[5], columns[6]});
    }
    return records;
}

std::vector<std::string> Scenario::FilesIn(const std::string& subfolder) const {
    return FileNamesIn(install_ + "\\" + subfolder);
}

std::vector<Scenario::SavedStatus> Scenario::SavedStatuses() const {
    std::vector<SavedStatus> statuses;
    for (const std::string& name : FilesIn("DorvikPostLogs")) {
        const std::string xml = ReadWholeFile(install_ + "\\DorvikPostLogs\\" + name);
        auto between = [&](const std::string& open, const std::string& close) {
            const std::size_t a = xml.find(open);
            const std::size_t b = a == std::string::npos ? a : xml.find(close, a + open.size());
            return b == std::string::npos ? std::string() : xml.substr(a + open.size(), b - a - open.size());
        };
        statuses.push_back({between("<status>", "</status>"), between("<desc><![CDATA[", "]]></desc>")});
    }
    return statuses;
}

Posted PostedStatus(const Scenario& s) {
    const std::vector<Scenario::SavedStatus> saved = s.SavedStatuses();
    if (saved.size() != 1) {
        ADD_FAILURE() << saved.size() << " saved status records";
        return {};
    }
    return {saved[0].status, saved[0].desc};
}

std::string LogLineText(const LogRecordLine& r) {
    return r.module + "|" + r.type + "|" + r.val1 + "|" + r.val2 + "|" + r.val3;
}

std::vector<std::string> LogLines(const std::vector<LogRecordLine>& records) {
    std::vector<std::string> lines;
    for (const LogRecordLine& r : records) lines.push_back(LogLineText(r));
    return lines;
}

std::vector<std::string> LinesOf(const Scenario& s, const std::string& module) {
    std::vector<std::string> lines;
    for (const LogRecordLine& r : s.Log())
        if (r.module == module) lines.push_back(LogLineText(r));
    return lines;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool HasLineStarting(const std::vector<std::string>& lines, const std::string& start) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
}

std::string JobXml(const std::vector<std::string>& steps, const std::string& fncname, const std::string& scriptid) {
    std::string xml = "<?xml version=\"1.0\"?>\r\n<job><scriptinstance scriptid=\"" + XmlEscape(scriptid) +
                      "\" scriptver=\"1.0\" category=\"Power\" fncname=\"" + XmlEscape(fncname) +
                      "\" logonuser=\"user\">";
    for (const std::string& step : steps) xml += step;
    xml += "</scriptinstance></job>\r\n";
    return xml;
}

std::string StepXml(const std::string& action, const std::string& name,
                    const std::vector<std::pair<std::string, std::string>>& children) {
    std::string xml =
        "<step value=\"1\"><action>" + XmlEscape(action) + "</action><schname>" + XmlEscape(name) + "</schname>";
    for (const auto& [tag, text] : children) xml += "<" + tag + ">" + XmlEscape(text) + "</" + tag + ">";
    xml += "</step>";
    return xml;
}
