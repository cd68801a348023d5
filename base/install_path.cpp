#include "base/install_path.h"

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "\\server\share", with a server and a share name of at least one character.
// The backslash after the server is one of its own, not the second byte of a
// character of the server's name.
bool IsUncPath(std::string_view path, const LeadBytes& lead) {
    if (path.size() < 5 || path[0] != '\\' || path[1] != '\\') return false;
    const std::size_t shareStart = lead.Find(path, '\\', 2);
    return shareStart != std::string_view::npos && shareStart > 2 && shareStart + 1 < path.size() &&
           path[shareStart + 1] != '\\';
}
}  // namespace

std::string InstallationPathProblem(std::string_view path, const LeadBytes& lead) {
    if (path.empty()) return "Value is empty";
    const bool drivePath = path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]);
    if (drivePath || IsUncPath(path, lead)) return {};
    return "Value is not a full path: " + std::string(path);
}
