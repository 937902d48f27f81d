#pragma once

// The installed software version is this build's own: what the package
// manager installed is what runs.

#include <string_view>

namespace quillon::update {

inline constexpr std::string_view kInstalledSoftwareVersion = QUILLON_VERSION;

}  // namespace quillon::update
