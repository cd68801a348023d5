#include "report/post_log_text.h"

std::string UrlForLog(std::string_view url) {
    std::size_t start = url.find("://");
    const std::size_t firstSeparator = url.find_first_of("/?#");
    start = (start != std::string_view::npos && start <= firstSeparator) ? start + 3 : 0;
    std::size_t end = url.find_first_of("/?#", start);
    if (end == std::string_view::npos) end = url.size();
    // The host follows the last "@"; the user's part may hold further ones.
    const std::size_t at = url.rfind('@', end == 0 ? 0 : end - 1);
    if (at == std::string_view::npos || at < start) return std::string(url);
    const std::size_t colon = url.find(':', start);
    if (colon == std::string_view::npos || colon > at) return std::string(url);
    std::string shown(url.substr(0, colon + 1));
    shown += "****";
    shown += url.substr(at);
    return shown;
}

std::string RelayTextForLog(std::string_view shown, std::size_t shownLength, std::size_t totalLength) {
    std::string text(shown);
    if (shownLength < totalLength) text += " [cut, " + std::to_string(totalLength) + " characters in all]";
    return text;
}
