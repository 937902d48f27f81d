#pragma once

// The check every operation that takes a profile name from the user makes
// before it touches a file: a name that is not a plain file name is refused
// with the bad-name message.

#include <string_view>

#include "skin/skin.h"

namespace quillon::profiles {

inline constexpr std::string_view kMessageBadProfileName = "message_text_14";

// True when `name` may become a profile file name; otherwise shows
// "message_text_14" and returns false.
bool acceptProfileName(skin::Skin& skin, std::string_view name);

}  // namespace quillon::profiles
