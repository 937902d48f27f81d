#pragma once

// The factory key map files of the keyboard variants and the mouse. They seed
// the first key profiles and the key profile reset; the keyboard's can be made
// anew from an attached keyboard's own factory map, into the program folder's
// writable overlay (the installed files stay as delivered).

#include <cstdint>
#include <string_view>

#include "platform/atomic_file.h"
#include "profiles/profile_folders.h"
#include "profiles/profile_records.h"

namespace quillon::profiles {

// "kbkeydefault.pro", "kbkeyonecolordefault.pro", "kbkeyfilmdefault.pro" for
// keyboard variants 0, 1, 2 (any other variant counts as 0).
std::string_view keyboardKeyDefaultFile(std::uint8_t keyboardVariant);
inline constexpr std::string_view kMouseKeyDefaultFile = "mskeydefault.pro";

// Writes the keyboard's factory key map as the key default of its variant
// (512 bytes, kind code 1). Call only with a map that was actually read.
platform::FileWriteResult storeKeyboardDefaultKeys(const ProfileFolders& folders,
                                                   platform::PathLocks& locks,
                                                   std::uint8_t keyboardVariant,
                                                   const KeyRecord& factoryMap);

}  // namespace quillon::profiles
