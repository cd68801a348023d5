#pragma once
// The installed power plans, as POWERCFG lists them.
#include <string>
#include <vector>

#include "run/scheme_entry.h"

// Path of "Schemes.txt" beside the program's own executable. It receives the
// output of the listing and of a plan duplication. Empty when the
// executable's path does not leave room for it in 1024 bytes.
std::string ListingFilePath();

// Refreshes g_ctx.SchemeList: deletes an earlier listing file, captures
// "powercfg.exe /l" into it and parses it. True when the command ran, ended
// with exit code 0 and listed at least one plan (every Windows installation
// has one). Otherwise the list is empty, g_ctx.StatusDescription says why, the
// reason is logged under `module` as ("Error", "Scheme List", exit code or
// empty, reason), and the caller must run no further command.
[[nodiscard]] bool ListSchemes(const char* module);

// Replaces g_ctx.SchemeList with the plans of a captured listing file, names
// converted from the console code page to the ANSI code page. A name that the
// ANSI code page cannot hold exactly is left empty, so that no requested name
// (never empty) matches its nearest form. A file that cannot be read gives an
// empty list.
void ParseSchemeList(const std::string& path);

// True when g_ctx.SchemeList holds a plan with this GUID (letter case aside).
bool SchemeListed(const std::string& guid);

// Plan names are equal when they hold the same characters apart from letter
// case: both ANSI texts are converted exactly to UTF-16 and compared ordinally,
// ignoring case as Windows' own uppercase table does (CompareStringOrdinal). A
// dictionary comparison would take "Strasse" for "Straße", "AEther" for
// "Æther" or ignore a soft hyphen. A text with bytes the ANSI code page does
// not define is equal only to the very same bytes.
bool SameSchemeName(const std::string& listed, const char* requested);

// The plans of g_ctx.SchemeList whose name is SameSchemeName as `name`, in
// listing order.
std::vector<const SchemeEntry*> PlansNamed(const char* name);

// The GUID of the first plan line of a captured command output, or an empty
// text when the file holds none or cannot be read.
std::string ReadSchemeGuid(const std::string& path);
