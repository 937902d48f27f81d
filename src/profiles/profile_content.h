#pragma once

// Loading profile i of a list into the in-memory records, and saving the
// current (selected) profile of a list from them. Every change of a lighting,
// mouse or key setting saves at once, so the file always holds the last state.

#include "platform/atomic_file.h"
#include "profiles/profile_file.h"
#include "profiles/profile_index.h"
#include "profiles/profile_records.h"

namespace quillon::profiles {

// Everything a profile file operation needs; owned by the application.
struct ProfileStore {
    const ProfileFolders& folders;
    IniStore& ini;

    ProfileIndex index(ProfileListId list) const { return ProfileIndex(folders, ini, list); }
};

// Reads name i of the list, then its content file. ok: the record is in memory.
// missing / foreign: memory is left as it was (and the fixed phrase goes to the
// debug output). A stored name that is not a plain file name is not opened and
// counts as missing.
ProfileReadResult loadProfile(const ProfileStore& store, int i, KeyboardLightingMemory& memory);
ProfileReadResult loadProfile(const ProfileStore& store, int i, MouseLightingMemory& memory);
ProfileReadResult loadProfile(const ProfileStore& store, int i, MousepadLightingMemory& memory);
// list: keyboardKeys or mouseKeys.
ProfileReadResult loadProfile(const ProfileStore& store, ProfileListId list, int i,
                              KeyMapMemory& memory);

enum class [[nodiscard]] ProfileSaveResult{
    ok,
    badName,      // the selected entry's name is not a plain file name: nothing written
    writeFailed,  // the file could not be replaced; the old one is intact
};

// Writes the profile that `select` names in the index from memory.
ProfileSaveResult saveCurrentProfile(const ProfileStore& store, KeyboardLightingMemory& memory);
ProfileSaveResult saveCurrentProfile(const ProfileStore& store, MouseLightingMemory& memory);
ProfileSaveResult saveCurrentProfile(const ProfileStore& store, MousepadLightingMemory& memory);
ProfileSaveResult saveCurrentProfile(const ProfileStore& store, ProfileListId list,
                                     const KeyMapMemory& memory);

}  // namespace quillon::profiles
