#pragma once

// Where profile files lie: the data folder "Kv" in the user's Documents folder,
// one profile folder per device kind in it, and the program folder of the
// read-only factory files (with a writable overlay for the files the program
// writes there itself). Nothing is cached: every call resolves the folders
// anew and creates the data and profile folders when they are missing.

#include <filesystem>
#include <functional>
#include <string_view>

#include "link/device_catalogue.h"
#include "platform/user_folders.h"

namespace quillon::profiles {

using link::DeviceKind;

inline constexpr std::string_view kDataFolderName = "Kv";

// The sub-folder of a device kind: "kb", "ms" (both mouse models), "mp".
std::string_view profileFolderName(DeviceKind kind);

class ProfileFolders {
  public:
    // refreshMouseInfo runs before every mouse folder lookup; its owner re-reads
    // the mouse's DeviceInfo when the mouse link is connected (result ignored).
    explicit ProfileFolders(const platform::UserFolders& folders,
                            std::function<void()> refreshMouseInfo = {});

    // Documents/Kv, created when missing (a failure shows later, in the file operations).
    // Empty, as every folder below, when the user has no Documents folder at all.
    std::filesystem::path dataFolder() const;
    // Documents/Kv/kb/ (ms/, mp/), created when missing; always ends in a separator.
    std::filesystem::path profileFolder(DeviceKind kind) const;

    // A read-only program file: the overlay's copy when there is one, else the
    // first program data folder holding it; names match without regard to case.
    // When none holds it, a path in the first folder (reading it reports "missing").
    std::filesystem::path programFile(std::string_view name) const;
    // Where the program writes a file of its program folder: the overlay, created.
    std::filesystem::path programFileForWriting(std::string_view name) const;

    const platform::UserFolders& userFolders() const { return folders_; }

  private:
    const platform::UserFolders& folders_;
    std::function<void()> refreshMouseInfo_;
};

}  // namespace quillon::profiles
