#pragma once
#include <string>

// True when a search for the path finds an entry, file or folder.
bool FileExists(const std::string& path);
bool FileExists(const std::wstring& path);
// True when the path names a folder. Unlike a search, this also holds for a
// drive's root ("C:\") and a path with a trailing backslash.
bool FolderExists(const std::string& path);
// Creates the folder and every missing folder above it; failures are ignored
// (usually the folder is already there). The part before the first backslash,
// a drive such as "C:", is never created itself.
void CreateFolderPath(const std::string& path);
// The folder that holds `path` (up to its last backslash of its own, in the
// ANSI code page); empty when there is none.
std::string FolderOf(const std::string& path);
// The folder of the running executable, without a trailing backslash.
std::string ProgramFolder();
