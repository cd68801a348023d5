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
