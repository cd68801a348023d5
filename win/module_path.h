#pragma once
// Files that live beside the program's own executable.
#include <string>

// Path of `name` in the folder of the running executable; empty when the
// executable's path cannot be read or the result would not fit in 1024 bytes.
std::string FileBesideExecutable(const char* name);
