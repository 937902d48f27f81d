#pragma once

// The movement-pattern table the mouse plays from: the four patterns in the
// layout of the macro table image, at most 3072 bytes. Read back from the
// mouse, every action gets its text form's pressed flag and name again.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "keys/macro_action.h"
#include "keys/macro_table_image.h"
#include "link/device_link.h"
#include "link/status.h"

namespace quillon::keys {

inline constexpr std::size_t kPatternMemoryBytes = 3072;
inline constexpr std::size_t kMaxPatterns = 4;

using PatternList = std::vector<MacroAction>;

ActionTableBuild buildPatternImage(std::span<const PatternList> patterns);

// nullopt when the image is not a pattern table the mouse can hold (marker,
// sizes, counts, blocks all checked): the caller then changes nothing.
std::optional<std::vector<PatternList>> readPatternImage(std::span<const std::uint8_t> image);

// Sends the image with CMD_WRITE_CURSORS framed by Begin ... End, holding the
// link for the whole sequence; the first failed exchange ends it.
link::Status writePatternImage(link::DeviceLink& link, std::span<const std::uint8_t> image);

// The language key of an action read back without one: by its kind and code,
// or `previous` (the name of the action before) for anything else.
std::string_view readBackName(const MacroAction& action, std::string_view previous);

}  // namespace quillon::keys
