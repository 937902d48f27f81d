#pragma once

// The profile lists as the window has them right after start (first run
// included), and one content file's header and record, as plain data for
// tools that show them.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/user_folders.h"
#include "profiles/profile_file.h"
#include "profiles/profile_lists.h"

namespace quillon::profiles {

struct ProfileRowView {
    std::string name;
    bool linked = false;
    std::string linkPath;  // the linked program; empty when not linked
};

struct ProfileListView {
    ProfileListId id = ProfileListId::keyboardLighting;
    std::filesystem::path indexPath;
    std::vector<ProfileRowView> rows;  // as the combo shows them
    int selected = -1;
};

struct ProfilesOverview {
    // Made from the factory defaults in this run (keyboard or mouse lists).
    bool firstRun = false;
    // A factory file was missing or foreign, so a list was left incomplete.
    bool defaultsFailed = false;
    // Lists whose first run could not be written: their index still reads empty.
    std::vector<ProfileListId> notSaved;
    // The text keys of the messages the window would have shown, in order.
    std::vector<std::string> messages;
    std::array<ProfileListView, kProfileListCount> lists;
};

// Runs the window's start-up list steps for every device kind over `users`,
// then reads the five lists back.
ProfilesOverview startProfiles(const platform::UserFolders& users);

enum class [[nodiscard]] ContentReadResult{
    ok,
    badName,  // not a plain file name: nothing was opened
    missing,  // no such file, or it cannot be read
    foreign,  // the header's magic is not 0x55AA
};

struct ProfileContent {
    std::filesystem::path path;
    ProfileFileHeader header;
    std::vector<std::uint8_t> record;  // the list's record size, zero-filled past a short file
};

// Reads the content file of `name` in `list`. `out.path` is set whenever a
// file was looked for; header and record only on success.
ContentReadResult readProfileContent(const platform::UserFolders& users, ProfileListId list,
                                     std::string_view name, ProfileContent& out);

}  // namespace quillon::profiles
