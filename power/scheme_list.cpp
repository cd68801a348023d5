#include "power/scheme_list.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "base/fixed_text.h"
#include "base/text.h"
#include "power/command_runner.h"
#include "power/scheme_list_parse.h"
#include "report/log_writer.h"
#include "run/run_context.h"
#include "win/file_helpers.h"
#include "win/module_path.h"
#include "win/text_convert.h"

namespace {
constexpr char kListCommand[] = "powercfg.exe /l";

// The whole file, byte for byte; empty when it cannot be opened.
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

// A listing that cannot be trusted: nothing of it is kept.
bool RefuseListing(const char* module, const std::string& exitCode, const char* reason, const std::string& status) {
    g_ctx.SchemeList.clear();
    StoreTextCut(g_ctx.StatusDescription, status);
    LogLine(module, "Error", "Scheme List", exitCode, reason);
    return false;
}
}  // namespace

std::string ListingFilePath() { return FileBesideExecutable("Schemes.txt"); }

bool ListSchemes(const char* module) {
    g_ctx.SchemeList.clear();
    const std::string path = ListingFilePath();
    if (FileExists(path)) DeleteFileA(path.c_str());
    // Only a fresh capture is read: a file that could not be replaced still
    // holds an earlier listing, whose plans may be gone.
    unsigned long exitCode = 0;
    if (!CreateChildProcess(PowercfgProgram(), kListCommand, path.c_str(), &exitCode))
        return RefuseListing(module, "", "Listing Not Run",
                             "Not Able to List Power Schemes : powercfg.exe /l could not be run");
    if (exitCode != 0) {
        // Signed, as the command runner logs exit codes.
        const std::string code = std::to_string(static_cast<int>(exitCode));
        return RefuseListing(module, code, "Listing Failed",
                             "Not Able to List Power Schemes : powercfg.exe /l ended with exit code " + code);
    }
    ParseSchemeList(path);
    if (g_ctx.SchemeList.empty())
        return RefuseListing(module, "", "No Scheme Listed",
                             "Not Able to List Power Schemes : powercfg.exe /l listed no power scheme");
    return true;
}

void ParseSchemeList(const std::string& path) {
    g_ctx.SchemeList = ParsePlanListing(ReadCapturedOutput(path));
    for (SchemeEntry& entry : g_ctx.SchemeList) entry.SchemeName = OemToAnsiExact(entry.SchemeName).value_or("");
}

bool SchemeListed(const std::string& guid) {
    for (const SchemeEntry& entry : g_ctx.SchemeList)
        if (EqualsNoCaseAscii(entry.SchemeGuid, guid)) return true;
    return false;
}

std::string ReadSchemeGuid(const std::string& path) { return FirstPlanGuid(ReadCapturedOutput(path)); }

bool SameSchemeName(const std::string& listed, const char* requested) {
    const std::string wanted(requested);
    const auto a = AnsiToWideExact(listed);
    const auto b = AnsiToWideExact(wanted);
    if (!a || !b) return listed == wanted;
    if (a->empty() || b->empty()) return a->empty() && b->empty();
    return CompareStringOrdinal(a->data(), static_cast<int>(a->size()), b->data(), static_cast<int>(b->size()), TRUE) ==
           CSTR_EQUAL;
}

std::vector<const SchemeEntry*> PlansNamed(const char* name) {
    std::vector<const SchemeEntry*> plans;
    for (const SchemeEntry& entry : g_ctx.SchemeList)
        if (SameSchemeName(entry.SchemeName, name)) plans.push_back(&entry);
    return plans;
}
