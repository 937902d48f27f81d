#pragma once

// A fresh account: an empty Documents folder, a copy of the generated factory
// files as the program folder, an empty overlay, and the in-memory skin.

#include <filesystem>

#include "platform/user_folders.h"
#include "profiles/profile_content.h"
#include "profiles/profile_startup.h"
#include "profiles/temp_folder.h"
#include "skin/memory_skin.h"

namespace quillon::profiles::testing {

class FreshAccount {
  public:
    explicit FreshAccount(
        const std::filesystem::path& base = std::filesystem::temp_directory_path())
        : root(base),
          users(root.path() / "Documents", {root.path() / "program"}, root.path() / "overlay",
                root.path() / "config"),
          folders(users),
          store{folders, ini} {
        std::filesystem::create_directories(root.path() / "Documents");
        std::filesystem::copy(platform::buildTreeProgramDataFolder(), root.path() / "program");
    }

    std::filesystem::path program(std::string_view name) const {
        return root.path() / "program" / std::string(name);
    }
    std::filesystem::path kv() const { return root.path() / "Documents" / "Kv"; }

    TempFolder root;
    platform::FixedUserFolders users;
    ProfileFolders folders;
    IniStore ini;
    ProfileStore store;
    skin::MemorySkin skin;
    ProfileRunState run;
};

}  // namespace quillon::profiles::testing
