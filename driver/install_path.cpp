#include "driver/install_path.h"

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "\\server\share", with a server and a share name of at least one character.
bool IsUncPath(std::string_view path) {
    if (path.size() < 5 || path[0] != '\\' || path[1] != '\\') return false;
    const std::size_t shareStart = path.find('\\', 2);
    return shareStart != std::string_view::npos && shareStart > 2 && shareStart + 1 < path.size() &&
           path[shareStart + 1] != '\\';
}
}  // namespace

std::string InstallationPathProblem(std::string_view path) {
    if (path.empty()) return "Value is empty";
    const bool drivePath = path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]);
    if (drivePath || IsUncPath(path)) return {};
    return "Value is not a full path: " + std::string(path);
}
