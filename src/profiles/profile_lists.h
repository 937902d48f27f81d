#pragma once

// The five profile lists: what differs between them is data. Keyboard and
// mouse index files carry a lighting list and a key list side by side, told
// apart only by their section names ("DENG" marks lighting).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "link/device_catalogue.h"

namespace quillon::profiles {

using link::DeviceKind;

enum class ProfileListId : std::uint8_t {
    keyboardLighting,
    keyboardKeys,
    mouseLighting,
    mouseKeys,
    mousepadLighting,
};

inline constexpr std::size_t kProfileListCount = 5;

// The controls of a list's profile panel beside its combo.
struct ProfilePanel {
    std::string_view nameEdit;
    std::string_view linkCheck;
    std::string_view linkEdit;
    std::string_view linkNameRow;  // the row that shows the linked program
};

struct ProfileList {
    ProfileListId id;
    DeviceKind kind;
    std::string_view combo;
    ProfilePanel panel;
    std::string_view indexFile;
    std::string_view countSection;
    std::string_view nameSection;
    std::string_view selectSection;
    std::string_view linkFlagSection;
    std::string_view linkPathSection;
    std::string_view extension;
    std::size_t recordSize;  // bytes after the content file's header
};

// Record sizes of the content files.
inline constexpr std::size_t kKeyboardLightingRecordSize = 1958;
inline constexpr std::size_t kKeyRecordSize = 512;
inline constexpr std::size_t kMouseLightingRecordSize = 64;
inline constexpr std::size_t kMousepadLightingRecordSize = 64;

inline constexpr std::array<ProfileList, kProfileListCount> kProfileLists{{
    {ProfileListId::keyboardLighting,
     DeviceKind::keyboard,
     "kb_deng_profile_combo",
     {"kb_deng_profile_name_edit", "kb_deng_profile_link_check", "kb_deng_profile_link_edit",
      "kb_deng_profile_link_name_hor"},
     "kbProfile.ini",
     "PROFILEDENGCOUNT",
     "PROFILEDENGNAME",
     "PROFILEDENGSELECT",
     "PROFILELIKEDENGEXE",
     "DENGPROCESS",
     ".led",
     kKeyboardLightingRecordSize},
    {ProfileListId::keyboardKeys,
     DeviceKind::keyboard,
     "kb_key_profile_combo",
     {"kb_key_profile_name_edit", "kb_key_profile_link_check", "kb_key_profile_link_edit",
      "kb_key_profile_link_name_hor"},
     "kbProfile.ini",
     "PROFILECOUNT",
     "PROFILENAME",
     "PROFILESELECT",
     "PROFILELIKEEXE",
     "PROCESS",
     ".pro",
     kKeyRecordSize},
    {ProfileListId::mouseLighting,
     DeviceKind::mouse,
     "ms_deng_profile_combo",
     {"ms_deng_profile_name_edit", "ms_deng_profile_link_check", "ms_deng_profile_link_edit",
      "ms_deng_profile_link_name_hor"},
     "msProfile.ini",
     "PROFILEDENGCOUNT",
     "PROFILEDENGNAME",
     "PROFILEDENGSELECT",
     "PROFILELIKEDENGEXE",
     "DENGPROCESS",
     ".led",
     kMouseLightingRecordSize},
    {ProfileListId::mouseKeys,
     DeviceKind::mouse,
     "ms_key_profile_combo",
     {"ms_key_profile_name_edit", "ms_key_profile_link_check", "ms_key_profile_link_edit",
      "ms_key_profile_link_name_hor"},
     "msProfile.ini",
     "PROFILECOUNT",
     "PROFILENAME",
     "PROFILESELECT",
     "PROFILELIKEEXE",
     "PROCESS",
     ".pro",
     kKeyRecordSize},
    {ProfileListId::mousepadLighting,
     DeviceKind::mousepad,
     "mp_deng_profile_combo",
     {"mp_deng_profile_name_edit", "mp_deng_profile_link_check", "mp_deng_profile_link_edit",
      "mp_deng_profile_link_name_hor"},
     "mpProfile.ini",
     "PROFILEDENGCOUNT",
     "PROFILEDENGNAME",
     "PROFILEDENGSELECT",
     "PROFILELIKEDENGEXE",
     "DENGPROCESS",
     ".led",
     kMousepadLightingRecordSize},
}};

constexpr const ProfileList& profileList(ProfileListId id) {
    return kProfileLists[static_cast<std::size_t>(id)];
}

// The header's device kind code: 1 keyboard, 2 mouse, 3 mousepad.
constexpr std::uint16_t deviceKindCode(DeviceKind kind) {
    switch (kind) {
        case DeviceKind::keyboard:
            return 1;
        case DeviceKind::mouse:
            return 2;
        case DeviceKind::mousepad:
            return 3;
    }
    return 1;
}

// Height of every profile combo row.
inline constexpr int kProfileRowHeight = 25;

inline constexpr std::string_view kFirstProfileName = "New Profile 1";

}  // namespace quillon::profiles
