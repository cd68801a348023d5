#pragma once
// A file the program made itself, known by its identity on its volume (and
// its creation time, for file systems that give a freed identity to the next
// file), so that removing it later never removes another process's file that
// has taken its name meanwhile (after someone else removed this one).
#include <string>
#include <string_view>

struct OwnFile {
    std::string path;
    unsigned long volume = 0, indexHigh = 0, indexLow = 0;
    unsigned long long created = 0;
};

enum class NewFile {
    Created,    // made and fully written
    NameTaken,  // a file of that name is there already (or is being removed)
    Failed,     // not made, or not fully written (then removed again)
};

// Creates the file at `path` only when no file of that name exists and writes
// `bytes` into it; `made` then knows it. On Failed the last error tells why.
NewFile CreateOwnFile(const std::string& path, std::string_view bytes, OwnFile& made);

// Removes `file` when its name still names it. True when it was removed or is
// no longer there under that name; false, with the last error, when it could
// not be removed.
bool RemoveOwnFile(const OwnFile& file);
