#pragma once
// What a saved plan listing's bytes are. POWERCFG prints in the console code
// page, and a Command Prompt's "powercfg /l > FILE" keeps those bytes; an
// editor or PowerShell may have saved the file again as UTF-8 or UTF-16.
// Platform-free.
//
// The rules, in order:
//   EF BB BF first: UTF-8; FF FE: UTF-16 little-endian; FE FF: big-endian;
//   zero bytes: UTF-16 without a byte order mark (see below);
//   valid UTF-8 with at least one byte from 0x80 up: UTF-8;
//   anything else: the console code page's bytes (plain ASCII among them).
// A console listing holds no zero byte in any code page or in UTF-8, while
// in UTF-16 the ASCII label, GUIDs and line ends give a zero byte in most
// two-byte units. So a file is UTF-16 when at least a quarter of its two-byte
// units hold a zero byte on the same side and that side holds more zero bytes
// than the other: the second byte for little-endian, the first for big-endian.
#include <optional>
#include <string>
#include <string_view>

#include "base/code_pages.h"

enum class ListingEncoding { ConsoleCodePage, Utf8, Utf16LittleEndian, Utf16BigEndian };

struct ListingText {
    ListingEncoding encoding = ListingEncoding::ConsoleCodePage;
    std::string bytes;  // the file's bytes, without a byte order mark
    // UTF-16 only: what the file is and how to save it right, e.g.
    //   the listing is UTF-16 text (big-endian); save it in a Command Prompt with: powercfg /l > FILE
    std::optional<std::string> refusal;
};

// Which saved output a file holds, as its refusal names it.
struct SavedOutput {
    std::string_view file;     // "the listing"
    std::string_view command;  // how to save it: "powercfg /l > FILE"
};
inline constexpr SavedOutput kSavedListing{"the listing", "powercfg /l > FILE"};
inline constexpr SavedOutput kSavedValues{"the values file", "powercfg /q GUID >> FILE"};

// The same rules hold for saved "powercfg /q" outputs.
ListingText ClassifyListing(std::string_view file, const SavedOutput& saved = kSavedListing);

// How a listing that is not refused gives its bytes to SchemesFromListing.
TextBytes ListingTextBytes(ListingEncoding encoding);
