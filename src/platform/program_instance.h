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

// True when `lockFile` is ours (a regular file of this user) and locked by a
// live process. A missing file, another user's file, a FIFO or a lock left by
// a program that died is not held.
bool lockFileHeld(const std::filesystem::path& lockFile);

}  // namespace quillon::platform
