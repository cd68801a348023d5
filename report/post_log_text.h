#pragma once
// How the status post shows outside values in its log lines: a status URL
// without its password, a relay's text no longer than a line should be.
// Platform-free.
#include <cstddef>
#include <string>
#include <string_view>

// The URL with the password of a "user:password@" part replaced by "****";
// any other URL unchanged. The part ends at the first "/", "?" or "#" after
// the scheme's "://" (or from the start when there is none).
std::string UrlForLog(std::string_view url);

// At most this many characters of a relay's text are logged.
inline constexpr std::size_t kMaxLoggedRelayText = 1024;

// `shown`, the start of a text of `totalLength` characters, followed by
// " [cut, N characters in all]" when it is shorter than the whole.
std::string RelayTextForLog(std::string_view shown, std::size_t shownLength, std::size_t totalLength);
