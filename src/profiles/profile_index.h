#pragma once

// The index of one profile list in its INI file: count, names, the user's
// selection and the program links. Every call resolves the profile folder anew
// and goes straight to the file. An operation that reads or changes several
// values reads the file once (read) or changes it in one atomic write (update),
// through the list's entries in the parsed document.

#include <filesystem>
#include <functional>
#include <string>

#include "profiles/ini_file.h"
#include "profiles/profile_folders.h"
#include "profiles/profile_lists.h"

namespace quillon::profiles {

// No list holds more profiles than this, whatever its count says.
inline constexpr int kMaxProfileCount = 100000;

// One list's entries in a parsed index (two lists may share one document).
class ListEntries {
  public:
    ListEntries(IniDocument& document, const ProfileList& list)
        : document_(document), list_(list) {}

    const ProfileList& list() const { return list_; }

    // The count value, capped at the entries present (one past the highest
    // name entry) and at kMaxProfileCount, so a count of 2147483647 over two
    // names gives two rows.
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
    IniDocument& document_;
    const ProfileList& list_;
};

class ProfileIndex {
  public:
    ProfileIndex(const ProfileFolders& folders, IniStore& ini, ProfileListId list)
        : folders_(folders), ini_(ini), list_(profileList(list)) {}

    const ProfileList& list() const { return list_; }
    // Empty when the user has no profile folder.
    std::filesystem::path indexPath() const;
    // ProfileFolder + name + extension of the list, nothing checked.
    std::filesystem::path contentPath(std::string_view name) const;

    // Parses the index once; read the entries with ListEntries(document, list()).
    IniReadResult read(IniDocument& document) const;
    // Changes the list's entries in one atomic write of the index; `edit` returns
    // false to write nothing. An index that cannot be read is never replaced.
    IniWriteResult update(const std::function<bool(ListEntries&)>& edit);

    // Single values, each a read of its own (an unreadable index reads as empty).
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
    IniWriteResult writeOne(const std::function<IniWriteResult(ListEntries&)>& write);

    const ProfileFolders& folders_;
    IniStore& ini_;
    const ProfileList& list_;
};

}  // namespace quillon::profiles
