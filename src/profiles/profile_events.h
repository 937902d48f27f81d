#pragma once

// What the profile code tells the feature modules, published on the GUI thread.

#include "profiles/profile_lists.h"

namespace quillon::profiles {

// A profile of `list` was loaded into the live records (a row selection, or a
// reset to factory defaults when `reset`): the list's views show it and its
// device gets it.
struct ProfileLoaded {
    ProfileListId list;
    bool reset = false;
};

}  // namespace quillon::profiles
