#pragma once

// The index of one profile list in its INI file: count, names, the user's
// selection and the program links. Every call resolves the profile folder anew
// and goes straight to the file.

#include <filesystem>
#include <string>

#include "profiles/ini_file.h"
#include "profiles/profile_folders.h"
#include "profiles/profile_lists.h"

namespace quillon::profiles {

class ProfileIndex {
  public:
    ProfileIndex(const ProfileFolders& folders, IniStore& ini, ProfileListId list)
        : folders_(folders), ini_(ini), list_(profileList(list)) {}

    const ProfileList& list() const { return list_; }
    std::filesystem::path indexPath() const;
    // ProfileFolder + name + extension of the list, nothing checked.
    std::filesystem::path contentPath(std::string_view name) const;

    int count() const;
    std::string name(int i) const;
    int select() const;
    bool linked(int i) const;
    std::string linkPath(int i) const;

    IniWriteResult writeCount(int n);
    IniWriteResult writeName(int i, std::string_view name);
    IniWriteResult writeSelect(int i);
    IniWriteResult writeLinked(int i, bool linked);
    IniWriteResult writeLinkPath(int i, std::string_view path);

  private:
    const ProfileFolders& folders_;
    IniStore& ini_;
    const ProfileList& list_;
};

}  // namespace quillon::profiles
