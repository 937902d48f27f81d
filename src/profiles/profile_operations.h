#pragma once

// What the profile panel's buttons do to the files of one list: add, delete,
// copy, rename, import, export, reset and the program links. Each operation
// checks everything it can before it touches a file, writes content files
// atomically and changes the index in one atomic write, so a refused or failed
// operation leaves the list as it was. The window and quillonctl share them;
// questions to the user (confirmations, file dialogs) are their callers' part.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "profiles/profile_content.h"

namespace quillon::profiles {

enum class [[nodiscard]] ProfileOpResult{
    ok,
    noProfile,        // the row does not exist: nothing happens
    missingFile,      // a file the operation must read is missing ("message_text_8")
    foreignFile,      // such a file has a bad magic ("message_text_9")
    onlyProfile,      // delete of a list's last profile ("message_text_11")
    programTaken,     // another entry already links the program ("message_text_13")
    badName,          // empty or not a plain file name ("message_text_14")
    nameTaken,        // another row has that name, case aside ("message_text_15")
    unreadableIndex,  // the index cannot be read: nothing is written over it ("message_text_9")
    writeFailed,      // a file could not be written; the list is as it was ("message_text_20")
};

// The text key of the message a result shows; empty for ok and noProfile.
std::string_view messageKey(ProfileOpResult result);

struct ProfileOpOutcome {
    // Implicit from a result alone: most outcomes are nothing more.
    ProfileOpOutcome(ProfileOpResult r = ProfileOpResult::ok, int selectRow = -1,  // NOLINT
                     std::string profileName = {})
        : result(r), row(selectRow), name(std::move(profileName)) {}

    ProfileOpResult result;
    // The row the list selects afterwards (add, copy, delete, import), else -1.
    int row;
    // The profile's name after the operation (add, copy, rename).
    std::string name;
};

// Names compare without regard to case, as file names did on the original platform.
bool sameProfileName(std::string_view a, std::string_view b);

// The names of the list's rows, as the combo shows them.
std::vector<std::string> profileNames(const ProfileStore& store, ProfileListId list);

// The factory default a new or reset profile of the list is made from;
// `variant` is the keyboard variant or the mouse model (ignored elsewhere).
std::string_view factoryDefaultFile(ProfileListId list, std::uint8_t variant);

// Reads that default as a record of the list's size (ok, missingFile, foreignFile).
ProfileOpResult readFactoryDefault(const ProfileStore& store, ProfileListId list,
                                   std::uint8_t variant, std::span<std::uint8_t> record);

// "New Profile k" with the lowest k no row has; a file of the new name is replaced.
ProfileOpOutcome addProfile(const ProfileStore& store, ProfileListId list, std::uint8_t variant);

// Deletes row `row` (the caller has asked the user); the links move down with
// their profiles. Selects the new last row when the last was deleted, else the
// row that moved into its place.
ProfileOpOutcome deleteProfile(const ProfileStore& store, ProfileListId list, int row);

// "X copy" (then "X copy copy", ...) of row `row`, appended and selected.
ProfileOpOutcome copyProfile(const ProfileStore& store, ProfileListId list, int row);

// Renames row `row`: the new file first, then the index, then the old file goes.
ProfileOpOutcome renameProfile(const ProfileStore& store, ProfileListId list, int row,
                               std::string_view newName);

// Replaces row `row`'s content with the record of `file` (which may be shorter:
// the rest becomes zero) and selects it again.
ProfileOpOutcome importProfile(const ProfileStore& store, ProfileListId list, int row,
                               const std::filesystem::path& file);

// Writes row `row`'s content to `file` with the list's header.
ProfileOpOutcome exportProfile(const ProfileStore& store, ProfileListId list, int row,
                               const std::filesystem::path& file);

// Writes the factory default as row `row`'s content.
ProfileOpOutcome resetProfile(const ProfileStore& store, ProfileListId list, int row,
                              std::uint8_t variant);

enum class LinkCheck : std::uint8_t {
    refuseTaken,  // the check box: a program another entry carries is refused
    allowTaken,   // the link button: the lower entry wins when two carry one program
};

// Links row `row` to `program`. A path without a separator is badName.
ProfileOpOutcome linkProfile(const ProfileStore& store, ProfileListId list, int row,
                             std::string_view program, LinkCheck check);

// Removes row `row`'s link (flag "0", path " ").
ProfileOpOutcome unlinkProfile(const ProfileStore& store, ProfileListId list, int row);

}  // namespace quillon::profiles
