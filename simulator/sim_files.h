#pragma once
// The simulator's files: the state file, read and replaced whole, and the
// journal, appended to. Paths are UTF-16 as the environment gives them.
#include <string>

// The value of an environment variable; empty when it is not set.
std::wstring EnvironmentText(const wchar_t* name);

enum class FileRead { Ok, Missing, Failed };
FileRead ReadFileBytes(const std::wstring& path, std::string& content);
[[nodiscard]] bool ReplaceFileBytes(const std::wstring& path, const std::string& content);
[[nodiscard]] bool AppendFileBytes(const std::wstring& path, const std::string& content);
