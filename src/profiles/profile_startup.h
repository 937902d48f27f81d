#pragma once

// Filling the profile combos at start, and the first run of a device kind:
// when a lighting list's count reads 0 (no index, or one without profiles) the
// factory defaults are copied into the profile folder under the first
// profile's names and the index is written in one atomic replacement. An index
// that is there but cannot be read is no first run: nothing is written.

#include <cstdint>

#include "profiles/profile_content.h"
#include "skin/skin.h"

namespace quillon::profiles {

// Per-run profile state of the application. The first-run flags are set by the
// first-run steps and stay set for the run; the reseed flags remember that a
// kind's first profile was already reseeded in this run.
struct ProfileRunState {
    bool keyboardFirstRun = false;
    bool mouseFirstRun = false;
    bool keyboardReseeded = false;
    bool mouseReseeded = false;
};

enum class [[nodiscard]] ListStartResult{
    filled,           // the combos show the lists of the index
    firstRun,         // the first profiles were made from the defaults (at least the lighting list)
    missingDefault,   // a factory file was missing: "message_text_8" shown, the rest skipped
    foreignDefault,   // a factory file had a bad magic: "message_text_9" shown, the rest skipped
    unreadableIndex,  // the index is there but cannot be read: "message_text_9", nothing written
    writeFailed,      // nothing could be written (no folder, full disk): "message_text_20"
};

inline constexpr std::string_view kMessageMissingFile = "message_text_8";
inline constexpr std::string_view kMessageForeignFile = "message_text_9";
inline constexpr std::string_view kMessageNotSaved = "message_text_20";

// The list initialisation of one device kind (called for keyboard, mouse,
// mousepad in that order, after the macro lists are filled and before any
// device thread starts). keyboardVariant picks the keyboard key default.
ListStartResult startProfileLists(const ProfileStore& store, skin::Skin& skin, ProfileRunState& run,
                                  DeviceKind kind, std::uint8_t keyboardVariant = 0);

// The row every profile combo shows for a name: text and user data, height 25.
skin::Row profileRow(std::string_view name);

}  // namespace quillon::profiles
