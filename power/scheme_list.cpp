#include "power/scheme_list.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "base/text.h"
#include "power/scheme_list_parse.h"
#include "win/module_path.h"
#include "win/text_convert.h"

std::string ListingFilePath() { return FileBesideExecutable("Schemes.txt"); }

std::string ReadCapturedOutput(const std::string& path) {
    std::string content;
    if (path.empty()) return content;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return content;
    char chunk[1024];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.append(chunk, n);
    std::fclose(file);
    return content;
}

std::vector<SchemeEntry> SchemesFromListing(const std::string& bytes) {
    return SchemesFromListing(bytes, TextBytes::ConsoleCodePage, ThisMachineCodePages());
}

std::vector<SchemeEntry> SchemesFromListing(const std::string& bytes, TextBytes from, const CodePages& pages) {
    std::vector<SchemeEntry> plans = ParsePlanListing(bytes);
    for (SchemeEntry& entry : plans) {
        const std::optional<std::string> name = from == TextBytes::Utf8 ? Utf8ToAnsiExact(entry.SchemeName, pages.ansi)
                                                                        : OemToAnsiExact(entry.SchemeName, pages);
        entry.SchemeName = name.value_or("");
    }
    return plans;
}

bool SchemeListed(const std::vector<SchemeEntry>& listing, const std::string& guid) {
    for (const SchemeEntry& entry : listing)
        if (EqualsNoCaseAscii(entry.SchemeGuid, guid)) return true;
    return false;
}

bool SameSchemeName(const std::string& listed, const std::string& requested) {
    return SameSchemeName(listed, requested, GetACP());
}

bool SameSchemeName(const std::string& listed, const std::string& requested, unsigned ansiCodePage) {
    const auto a = AnsiToWideExact(listed, ansiCodePage);
    const auto b = AnsiToWideExact(requested, ansiCodePage);
    if (!a || !b) return listed == requested;
    if (a->empty() || b->empty()) return a->empty() && b->empty();
    return CompareStringOrdinal(a->data(), static_cast<int>(a->size()), b->data(), static_cast<int>(b->size()), TRUE) ==
           CSTR_EQUAL;
}
