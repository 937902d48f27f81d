#pragma once

// Names of hidraw nodes. The backend opens nothing else, whatever a caller
// hands it.

#include <optional>
#include <string_view>

namespace quillon::platform {

// N of "/dev/hidrawN" or "hidrawN"; nullopt when the name is not of that form.
std::optional<unsigned> hidrawNumber(std::string_view name);

// Whether `path` is exactly "/dev/hidrawN".
bool isHidrawNodePath(std::string_view path);

}  // namespace quillon::platform
