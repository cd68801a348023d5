#pragma once
// The daily log as the tests read it back. A run logs under a root: its
// installation path, or the current drive's root when it has none.
#include <string>

// root\ApplicationLog\DorvikLog
std::string LogFolderUnder(const std::string& root);
// Where today's log file of a run under `root` is written.
std::string TodaysLogPath(const std::string& root);
// Every log file of a run under `root`, joined (a run across midnight writes two).
std::string ReadRunLog(const std::string& root);
