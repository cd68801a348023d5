#pragma once
// Output of the simulated tool to its standard handles.
#include <string>

// Writes the UTF-8 text, converted to the console code page, byte for byte to
// standard output or standard error. A missing handle writes nothing.
void WriteStandardOutput(const std::string& utf8);
void WriteStandardError(const std::string& utf8);
