#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.
#include <windows.h>

#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    // Writes `content` byte for byte into path()\name and returns the full path.
    std::string WriteFile(const std::string& name, const std::string& content) const;

private:
    std::string path_;
};

// Removes a folder with everything in it.
void RemoveFolderTree(const std::string& folder);

// The whole content of a file, byte for byte; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// Writes `content` byte for byte as the whole file; false when it cannot.
bool WriteFileBytes(const std::string& path, const std::string& content);
// Names of the files (not folders) in a folder.
std::vector<std::string> FileNamesIn(const std::string& folder);
