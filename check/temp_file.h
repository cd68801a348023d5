#pragma once
// An empty file of a fresh name in a folder, deleted again by its owner: where
// the check captures a listing, and how it finds whether a folder is writable.
#include <string>

class TempFile {
public:
    // Creates the file in `folder`; made() tells whether that worked, and
    // error() why not.
    explicit TempFile(const std::string& folder);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool made() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    unsigned long error() const { return error_; }

private:
    std::string path_;
    unsigned long error_ = 0;
};

// The system's temporary folder.
std::string TempFolder();
