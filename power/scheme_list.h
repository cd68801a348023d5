#pragma once
// The installed power plans, as POWERCFG lists them.
#include <string>

// Path of "Schemes.txt" beside the program's own executable. It receives the
// output of the listing and of a plan duplication.
std::string ListingFilePath();

// Refreshes g_ctx.SchemeList: deletes an earlier listing file, captures
// "powercfg.exe /l" into it and parses it. A listing that cannot be made or
// read leaves the list empty.
void ListSchemes();

// Fills g_ctx.SchemeList from a captured listing file.
void ParseSchemeList(const std::string& path);

// The GUID of the first plan line of a captured command output, or an empty
// text when the file holds none or cannot be read.
std::string ReadSchemeGuid(const std::string& path);
