#pragma once

// When the first keyboard (mouse) attached after a first run is a variant
// whose lighting differs from the RGB keyboard (mouse model 0), its first
// lighting profile is made anew from the seed file the first run left in the
// profile folder. This happens at most once per run and only while the
// lighting list still holds only its first-run profile, so replugging never
// overwrites what the user has made since.

#include <cstdint>

#include "profiles/profile_startup.h"

namespace quillon::profiles {

enum class [[nodiscard]] ReseedResult{
    reseeded,     // "New Profile 1.led" now holds the seed; the combo shows that one row
    notNeeded,    // no first run, another variant, already done, or the user has more profiles
    missingSeed,  // "message_text_8" shown, nothing changed
    foreignSeed,  // "message_text_9" shown, nothing changed
    writeFailed,  // the new file could not be written; the old one is intact
};

// Called by the keyboard attach with the keyboard variant, by the mouse attach
// with the mouse model (other kinds are never reseeded).
ReseedResult reseedFirstProfile(const ProfileStore& store, skin::Skin& skin, ProfileRunState& run,
                                DeviceKind kind, std::uint8_t variant);

}  // namespace quillon::profiles
