#pragma once
// The installed power plans, as POWERCFG lists them.
#include <string>
#include <vector>

#include "base/code_pages.h"
#include "run/scheme_entry.h"

// Path of "Schemes.txt" beside the program's own executable. It receives the
// output of the listing and of a plan duplication. Empty when the
// executable's path does not leave room for it in 1024 bytes.
std::string ListingFilePath();

// A captured file, byte for byte; empty when it cannot be read.
std::string ReadCapturedOutput(const std::string& path);

// The plans of a listing's bytes, names converted from the console code page
// to the ANSI code page. A name that the ANSI code page cannot hold exactly is
// left empty, so that no requested name (never empty) matches its nearest form.
std::vector<SchemeEntry> SchemesFromListing(const std::string& bytes);
// The same for bytes in the console code page `pages.oem` or in UTF-8, as
// `from` says, with names converted exactly into `pages.ansi`.
std::vector<SchemeEntry> SchemesFromListing(const std::string& bytes, TextBytes from, const CodePages& pages);

// True when the listing holds a plan with this GUID (letter case aside).
bool SchemeListed(const std::vector<SchemeEntry>& listing, const std::string& guid);

// Plan names are equal when they hold the same characters apart from letter
// case: both ANSI texts are converted exactly to UTF-16 and compared ordinally,
// ignoring case as Windows' own uppercase table does (CompareStringOrdinal). A
// dictionary comparison would take "Strasse" for "Straße", "AEther" for
// "Æther" or ignore a soft hyphen. A text with bytes the ANSI code page does
// not define is equal only to the very same bytes.
bool SameSchemeName(const std::string& listed, const std::string& requested);
// The same for texts in the ANSI code page `ansiCodePage`.
bool SameSchemeName(const std::string& listed, const std::string& requested, unsigned ansiCodePage);
