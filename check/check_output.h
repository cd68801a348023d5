#pragma once
// What KestrovaneCheck.exe prints: lines of ANSI text, each ended with CR LF.
// A console shows them in their characters; a file or a pipe receives the
// bytes as they are, so a command line is printed byte for byte as a run
// would start it.
#include <string_view>

// Each line of `text` (split at "\n") on standard output.
void PrintLine(std::string_view text);
// The same on standard error.
void PrintErrorLine(std::string_view text);
