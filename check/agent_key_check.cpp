// The agent's registry key as a run reads it (win/registry.h), value by value.
#include <windows.h>

#include <optional>

#include "base/install_path.h"
#include "check/install_check.h"
#include "run/agent_identity.h"
#include "run/installation.h"
#include "win/os_info.h"
#include "win/owners.h"
#include "win/registry.h"
#include "win/text_convert.h"

namespace {
const char kRoot[] = "HKEY_LOCAL_MACHINE";

std::string TypeName(DWORD type) {
    switch (type) {
        case REG_SZ:
            return "REG_SZ";
        case REG_EXPAND_SZ:
            return "REG_EXPAND_SZ";
        case REG_MULTI_SZ:
            return "REG_MULTI_SZ";
        case REG_DWORD:
            return "REG_DWORD";
        case REG_BINARY:
            return "REG_BINARY";
        default:
            return "of type " + std::to_string(type);
    }
}

std::string MostChars(const AgentValue& value) {
    return "at most " + std::to_string(value.capacity - 1) + " characters";
}

// What a run reads from the value: its text and type.
struct ReadText {
    std::string text;
    DWORD type = REG_SZ;
};

// The value as a run reads it; nothing (after a fault line) when the run could
// not use it.
std::optional<ReadText> ReadValue(CheckList& list, HKEY key, const std::string& keyPath, const AgentValue& value) {
    DWORD type = REG_NONE, size = 0;
    const LONG status = RegQueryValueExA(key, value.name, nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND && !value.required) return ReadText{};
    if (status == ERROR_FILE_NOT_FOUND) {
        list.Fault(value.name, "missing; add it as a REG_SZ value of " + MostChars(value));
        return std::nullopt;
    }
    if (status != ERROR_SUCCESS) {
        list.Fault(value.name, "cannot be read (" + ErrorText(static_cast<unsigned long>(status)) + ")");
        return std::nullopt;
    }
    // A run reads InstallationPath only as REG_SZ, and stops without it.
    if (type != REG_SZ && value.path) {
        list.Fault(value.name, "is " + TypeName(type) + ", which a run cannot use; make it a REG_SZ value");
        return std::nullopt;
    }
    // The other values it reads as REG_DWORD and REG_BINARY too (as a number,
    // as the bytes), and as empty in every other type, going on without them.
    if (type != REG_SZ && type != REG_DWORD && type != REG_BINARY) {
        if (value.required)
            list.Fault(value.name,
                       "is " + TypeName(type) + ", which a run reads as empty and posts so; make it a REG_SZ value");
        else
            list.Ok(value.name, TypeName(type) + ", which a run reads as not set; it is optional");
        return std::nullopt;
    }
    CRegistry registry;
    char text[1024] = {};
    if (!registry.QueryValue(kRoot, keyPath.c_str(), value.name, text, value.capacity)) {
        list.Fault(value.name, "longer than a run takes; shorten it to " + MostChars(value));
        return std::nullopt;
    }
    return ReadText{text, type};
}

// Whether the value a run read is usable; the line that says so.
bool JudgeValue(CheckList& list, const AgentValue& value, const ReadText& read) {
    const std::string& text = read.text;
    if (text.empty() && !value.required) {
        list.Ok(value.name, "not set; it is optional");
        return true;
    }
    if (text.empty()) {
        list.Fault(value.name, "is empty; set it");
        return false;
    }
    const std::string problem = value.path ? InstallationPathProblem(text, AnsiLeadBytes()) : std::string();
    if (!problem.empty()) {
        list.Fault(value.name, problem + "; set it to the installation folder's full path, e.g. C:\\Agent");
        return false;
    }
    list.Ok(value.name, read.type == REG_SZ ? text : TypeName(read.type) + ", read as \"" + text + "\"");
    return true;
}
}  // namespace

std::string CheckAgentKey(CheckList& list) {
    const std::string keyPath = AgentKeyPath(Is64BitWindows());
    const std::string shownKey = std::string(kRoot) + "\\" + keyPath;
    UniqueRegKey key;
    const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, key.put());
    if (status != ERROR_SUCCESS) {
        list.Fault("agent key " + shownKey, "cannot be opened (" + ErrorText(static_cast<unsigned long>(status)) +
                                                "); create it with the values INSTALL.txt lists");
        return {};
    }
    list.Ok("agent key " + shownKey);

    std::string installationPath;
    for (const AgentValue& value : kAgentValues) {
        const std::optional<ReadText> read = ReadValue(list, key.get(), keyPath, value);
        if (read && JudgeValue(list, value, *read) && value.path) installationPath = read->text;
    }
    return installationPath;
}
