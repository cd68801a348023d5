#include "power/scheme_list.h"

#include <windows.h>

#include <cstdio>

#include "driver/run_context.h"
#include "power/command_runner.h"
#include "power/scheme_list_parse.h"
#include "report/file_helpers.h"
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
}  // namespace

std::string ListingFilePath() {
    char path[1024] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return std::string();
    std::string folder(path, n);
    const std::size_t slash = folder.find_last_of('\\');
    if (slash == std::string::npos) return std::string();
    std::string listing = folder.substr(0, slash + 1) + "Schemes.txt";
    if (listing.size() >= sizeof path) return std::string();
    return listing;
}

void ListSchemes() {
    g_ctx.SchemeList.clear();
    const std::string path = ListingFilePath();
    if (FileExists(path)) DeleteFileA(path.c_str());
    // Only a fresh capture is read: a file that could not be replaced still
    // holds an earlier listing, whose plans may be gone.
    if (CreateChildProcess(PowercfgProgram(), kListCommand, path.c_str()) != 1) return;
    ParseSchemeList(path);
}

void ParseSchemeList(const std::string& path) {
    g_ctx.SchemeList = ParsePlanListing(ReadCapturedOutput(path));
    for (SchemeEntry& entry : g_ctx.SchemeList) entry.SchemeName = OemToAnsiExact(entry.SchemeName).value_or("");
}

std::string ReadSchemeGuid(const std::string& path) { return FirstPlanGuid(ReadCapturedOutput(path)); }

std::vector<const SchemeEntry*> PlansNamed(const char* name) {
    std::vector<const SchemeEntry*> plans;
    for (const SchemeEntry& entry : g_ctx.SchemeList)
        if (SameTextNoCase(entry.SchemeName.c_str(), name)) plans.push_back(&entry);
    return plans;
}
