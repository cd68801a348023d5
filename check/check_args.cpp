#include "check/check_args.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "base/code_pages.h"

namespace {
CheckArgs Unusable(std::string reason, const std::wstring& argument = {}) {
    CheckArgs refused;
    refused.mode = CheckMode::Unusable;
    refused.reason = std::move(reason);
    refused.argument = argument;
    return refused;
}

// One to five decimal digits, nothing else.
std::optional<unsigned> Number(std::wstring_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    unsigned value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    return value;
}

// Each stores the option's value into the facts; the reason when the value
// is not one the option takes, else nullptr.
const char* StoreWindows(const std::wstring& value, FactOptions& facts) {
    const std::size_t dot = value.find(L'.');
    const std::optional<unsigned> major = Number(std::wstring_view(value).substr(0, dot));
    const std::optional<unsigned> minor =
        dot == std::wstring::npos ? std::nullopt : Number(std::wstring_view(value).substr(dot + 1));
    if (!major || !minor) return "--windows takes a version of two numbers, such as 6.1";
    facts.windows = WindowsVersion{*major, *minor};
    return nullptr;
}

const char* StoreServicePack(const std::wstring& value, FactOptions& facts) {
    facts.servicePack = Number(value);
    return facts.servicePack ? nullptr : "--service-pack takes a number, such as 1 (0: none)";
}

const char* StoreServer(const std::wstring&, FactOptions& facts) {
    facts.server = true;
    return nullptr;
}

const char* StoreHibernation(const std::wstring& value, FactOptions& facts) {
    std::wstring lower = value;
    for (wchar_t& c : lower)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (lower == L"yes" || lower == L"no") facts.hibernation = lower == L"yes";
    return facts.hibernation ? nullptr : "--hibernation takes yes or no";
}

const char* StoreCodePage(const std::wstring& value, FactOptions& facts) {
    const std::optional<unsigned> page = Number(value);
    if (!page) return "--code-page takes a number, such as 866";
    if (!AnsiCodePageForOem(*page)) return "--code-page names a console code page the check does not know";
    facts.listingCodePage = page;
    return nullptr;
}

struct FactOption {
    const char* name;
    const char* needsValue;  // the refusal when its value is missing; nullptr: it takes none
    const char* (*store)(const std::wstring& value, FactOptions& facts);
};

enum FactIndex : std::size_t { kWindows, kServicePack, kServer, kHibernation, kCodePage, kFactCount };

constexpr std::array<FactOption, kFactCount> kFactOptions = {{
    {"--windows", "--windows needs a version after it", StoreWindows},
    {"--service-pack", "--service-pack needs a number after it", StoreServicePack},
    {"--server", nullptr, StoreServer},
    {"--hibernation", "--hibernation needs yes or no after it", StoreHibernation},
    {"--code-page", "--code-page needs a code page after it", StoreCodePage},
}};

using Given = std::array<bool, kFactCount>;

// The fact option `arg` names; kFactCount when it names none.
std::size_t FactOptionOf(const std::wstring& arg) {
    for (std::size_t i = 0; i < kFactCount; ++i) {
        const std::string_view name = kFactOptions[i].name;
        if (arg.size() == name.size() && std::equal(name.begin(), name.end(), arg.begin())) return i;
    }
    return kFactCount;
}

// Reads the fact option at args[i] and its value (i moves past it); the
// refusal when it cannot be used.
std::optional<CheckArgs> ReadFactOption(const std::vector<std::wstring>& args, std::size_t& i, std::size_t index,
                                        FactOptions& facts, Given& given) {
    const FactOption& option = kFactOptions[index];
    if (given[index]) return Unusable(std::string(option.name) + " is given twice");
    given[index] = true;
    std::wstring value;
    if (option.needsValue) {
        if (i + 1 == args.size() || args[i + 1].empty()) return Unusable(option.needsValue);
        value = args[++i];
    }
    if (const char* refused = option.store(value, facts)) return Unusable(refused, value);
    return std::nullopt;
}

// A file option at args[i] and its path (i moves past it); the refusal when
// it cannot be used.
std::optional<CheckArgs> ReadFileOption(const std::vector<std::wstring>& args, std::size_t& i, std::wstring& path) {
    const std::string name(args[i].begin(), args[i].end());
    if (!path.empty()) return Unusable(name + " is given twice");
    if (i + 1 == args.size() || args[i + 1].empty()) return Unusable(name + " needs a file after it");
    path = args[++i];
    return std::nullopt;
}

// What the options given need beside them; the refusal when it is missing.
std::optional<CheckArgs> RefuseMissing(const CheckArgs& parsed, const Given& given) {
    const bool listing = !parsed.listingPath.empty();
    if (parsed.jobPath.empty()) {
        if (listing) return Unusable("--listing needs a job document");
        if (parsed.compliance) return Unusable("--compliance needs a job document");
        for (std::size_t i = 0; i < kFactCount; ++i)
            if (given[i]) return Unusable(std::string(kFactOptions[i].name) + " needs a job document");
    }
    if (!parsed.valuesPath.empty() && !listing) return Unusable("--values needs --listing");
    if (given[kCodePage] && !listing) return Unusable("--code-page needs --listing");
    for (const std::size_t needsWindows : {kServicePack, kServer})
        if (given[needsWindows] && !given[kWindows])
            return Unusable(std::string(kFactOptions[needsWindows].name) + " needs --windows");
    return std::nullopt;
}
}  // namespace

CheckArgs ParseCheckArgs(const std::vector<std::wstring>& args) {
    CheckArgs parsed;
    Given given{};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        const std::size_t fact = FactOptionOf(arg);
        if (arg == L"--help" || arg == L"/?") {
            parsed.mode = CheckMode::Help;
            return parsed;
        }
        if (arg == L"--listing" || arg == L"--values") {
            std::wstring& path = arg == L"--listing" ? parsed.listingPath : parsed.valuesPath;
            if (std::optional<CheckArgs> refused = ReadFileOption(args, i, path)) return *refused;
        } else if (arg == L"--compliance") {
            if (parsed.compliance) return Unusable("--compliance is given twice");
            parsed.compliance = true;
        } else if (fact != kFactCount) {
            if (std::optional<CheckArgs> refused = ReadFactOption(args, i, fact, parsed.facts, given)) return *refused;
        } else if (arg.rfind(L"--", 0) == 0) {
            return Unusable("unknown option", arg);
        } else if (arg.empty()) {
            return Unusable("the job document's path is empty");
        } else if (!parsed.jobPath.empty()) {
            return Unusable("more than one job document", arg);
        } else {
            parsed.jobPath = arg;
        }
    }
    if (std::optional<CheckArgs> refused = RefuseMissing(parsed, given)) return *refused;
    parsed.mode = parsed.jobPath.empty() ? CheckMode::Installation : CheckMode::Job;
    return parsed;
}

const char kCheckUsage[] =
    "Usage:\n"
    "  KestrovaneCheck.exe                          checks this installation as a run would find it\n"
    "  KestrovaneCheck.exe JOB.xml                  shows what the job would do on this machine\n"
    "  KestrovaneCheck.exe JOB.xml --listing FILE   the same against a listing saved elsewhere\n"
    "                                               with: powercfg /l > FILE\n"
    "  KestrovaneCheck.exe JOB.xml --listing FILE --values FILE\n"
    "                                               the same against that machine's current values,\n"
    "                                               saved with: powercfg /q GUID >> FILE, once per plan\n"
    "  KestrovaneCheck.exe --help                   shows this text\n"
    "With JOB.xml, facts of the machine the job is checked for (each one not given is this machine's):\n"
    "  --windows MAJOR.MINOR   its Windows version, e.g. 6.0 or 6.1 (a workstation without a service\n"
    "                          pack, unless the two options below say otherwise)\n"
    "  --service-pack N        its service pack, 0 for none\n"
    "  --server                a server edition\n"
    "  --hibernation yes|no    whether it supports hibernation\n"
    "  --code-page N           the listing's console code page, e.g. 866 (with --listing); plan names\n"
    "                          and the job's texts are then held in the ANSI code page that goes with it\n"
    "  --compliance            exit code 0 only when the job would succeed and change nothing here\n"
    "Nothing is changed: the only commands run are the listing \"powercfg.exe /l\" and\n"
    "\"powercfg.exe /q GUID\" for each plan the job writes (none with --listing).\n"
    "Exit codes: 0 all is well, 1 the job would fail or a check failed (with --compliance: or it\n"
    "            would change something, or a plan's values cannot be read),\n"
    "            2 the command line or the job document could not be used.";
