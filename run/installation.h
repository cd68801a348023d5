#pragma once
// Where a run finds its installation: the agent's registry key, and the files
// it uses below the agent's InstallationPath. Platform-free.
#include <string>
#include <string_view>

// The agent's key under HKEY_LOCAL_MACHINE; on 64-bit Windows the 32-bit view.
inline const char* AgentKeyPath(bool is64BitWindows) {
    return is64BitWindows ? "SOFTWARE\\Wow6432Node\\KORVAN" : "SOFTWARE\\KORVAN";
}

// The daily log's folder.
inline std::string LogFolderIn(std::string_view installationPath) {
    return std::string(installationPath) + "\\ApplicationLog\\DorvikLog";
}

// The configuration file that names the status server.
inline std::string PathwellIniIn(std::string_view installationPath) {
    return std::string(installationPath) + "\\Configuration\\Pathwell.ini";
}

// The relay DLL and its entry point.
inline std::string RelayDllIn(std::string_view installationPath) {
    return std::string(installationPath) + "\\Relaynet.dll";
}
inline constexpr char kRelayEntryName[] = "WebPostData";

// Where status records that could not be posted are kept for later delivery.
inline std::string PostLogFolderIn(std::string_view installationPath) {
    return std::string(installationPath) + "\\DorvikPostLogs";
}

// The run lock and the place next in line for it. Every copy of the program
// on the machine reads the same agent key, so all find them in the one
// installation folder, wherever the executable itself lies.
inline std::string RunLockIn(std::string_view installationPath) {
    return std::string(installationPath) + "\\Kestrovane.lock";
}
inline std::string NextInLineIn(std::string_view installationPath) {
    return std::string(installationPath) + "\\Kestrovane.next";
}

// Beside the run lock: the plan copies a creation made and has not renamed yet.
inline std::string CopyRecordIn(std::string_view installationPath) {
    return std::string(installationPath) + "\\Kestrovane.copy";
}
