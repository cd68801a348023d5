#pragma once
// The status server's base URL as the installation configures it.
#include <cstddef>
#include <string>
#include <string_view>

// The longest base URL a run takes; a longer one is refused, never cut.
inline constexpr std::size_t kMaxConfiguredUrl = 259;

// The URL that <installationPath>\Configuration\Pathwell.ini names, as read:
// up to 2047 characters, so that one too long for the run is seen whole.
std::string ConfiguredStatusUrl(std::string_view installationPath);
