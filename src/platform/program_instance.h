#pragma once

// Whether the window program runs for this user: its single-instance lock
// file ("quillon-gaming.lock" in $XDG_RUNTIME_DIR, else in a per-user folder
// of the temporary folder) is held by a live process. Other tools use it to
// keep away from the devices the program owns.

#include <filesystem>

#include "platform/user_folders.h"

namespace quillon::platform {

// Where the program keeps its lock, as the environment gives it.
std::filesystem::path programLockFile(const EnvironmentLookup& environment = processEnvironment);

// True when `lockFile` is ours and held: locked by a process (the lock is
// released when its holder dies), or, without such a lock, naming a live
// process. A missing file, another user's file or a dead holder is not held.
bool lockFileHeld(const std::filesystem::path& lockFile);

}  // namespace quillon::platform
