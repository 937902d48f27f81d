#pragma once

// The profile panel of the five lists: add, delete, copy, rename, import,
// export, reset and the program link. The buttons run the shared profile
// operations; afterwards the combo shows the index again and the row the
// operation chose is selected, which loads and applies it through the
// ordinary row selection.

#include <array>
#include <string_view>

#include "app/app_link_watchers.h"
#include "attach/attach_service.h"
#include "link/device_identity.h"
#include "profiles/profile_content.h"
#include "profiles/profile_lists.h"
#include "profiles/profile_operations.h"
#include "shell/application.h"
#include "shell/event_bus.h"
#include "skin/skin.h"

namespace quillon::app {

struct ProfilePanelControls {
    profiles::ProfileListId list;
    std::string_view add;
    std::string_view remove;
    std::string_view copy;
    std::string_view importFile;
    std::string_view exportFile;
    std::string_view reset;
    std::string_view nameEdit;
    std::string_view rename;
    std::string_view linkCheck;
    std::string_view linkButton;
    std::string_view linkEdit;
    std::string_view linkNameRow;
    // The key view's function panel a reset of a key list closes; empty for lighting.
    std::string_view functionPanel;

    constexpr std::array<std::string_view, 12> all() const {
        return {add,      remove, copy,      importFile, exportFile, reset,
                nameEdit, rename, linkCheck, linkButton, linkEdit,   linkNameRow};
    }
};

using profiles::ProfileListId;

inline constexpr std::array<ProfilePanelControls, profiles::kProfileListCount> kProfilePanels{{
    {ProfileListId::keyboardLighting, "kb_pro_deng_add_btn", "kb_pro_deng_sub_btn",
     "kb_pro_deng_copy_btn", "kb_pro_deng_import_btn", "kb_pro_deng_export_btn",
     "kb_pro_deng_reset_btn", "kb_deng_profile_name_edit", "kb_deng_profile_edit_save_btn",
     "kb_deng_profile_link_check", "kb_deng_profile_link_btn", "kb_deng_profile_link_edit",
     "kb_deng_profile_link_name_hor", ""},
    {ProfileListId::keyboardKeys, "kb_pro_key_add_btn", "kb_pro_key_sub_btn", "kb_pro_key_copy_btn",
     "kb_pro_key_import_btn", "kb_pro_key_export_btn", "kb_pro_key_reset_btn",
     "kb_key_profile_name_edit", "kb_key_profile_edit_save_btn", "kb_key_profile_link_check",
     "kb_key_profile_link_btn", "kb_key_profile_link_edit", "kb_key_profile_link_name_hor",
     "kb_tab_function"},
    {ProfileListId::mouseLighting, "ms_pro_deng_add_btn", "ms_pro_deng_sub_btn",
     "ms_pro_deng_copy_btn", "ms_pro_deng_import_btn", "ms_pro_deng_export_btn",
     "ms_pro_deng_reset_btn", "ms_deng_profile_name_edit", "ms_deng_profile_edit_save_btn",
     "ms_deng_profile_link_check", "ms_deng_profile_link_btn", "ms_deng_profile_link_edit",
     "ms_deng_profile_link_name_hor", ""},
    {ProfileListId::mouseKeys, "ms_pro_key_add_btn", "ms_pro_key_sub_btn", "ms_pro_key_copy_btn",
     "ms_pro_key_import_btn", "ms_pro_key_export_btn", "ms_pro_key_reset_btn",
     "ms_key_profile_name_edit", "ms_key_profile_edit_save_btn", "ms_key_profile_link_check",
     "ms_key_profile_link_btn", "ms_key_profile_link_edit", "ms_key_profile_link_name_hor",
     "ms_tab_function"},
    {ProfileListId::mousepadLighting, "mp_pro_deng_add_btn", "mp_pro_deng_sub_btn",
     "mp_pro_deng_copy_btn", "mp_pro_deng_import_btn", "mp_pro_deng_export_btn",
     "mp_pro_deng_reset_btn", "mp_deng_profile_name_edit", "mp_deng_profile_edit_save_btn",
     "mp_deng_profile_link_check", "mp_deng_profile_link_btn", "mp_deng_profile_link_edit",
     "mp_deng_profile_link_name_hor", ""},
}};

// Shown once in a link area when the desktop cannot tell the foreground program.
inline constexpr std::string_view kForegroundUnavailableText = "profile_link_unavailable";

// What the panel works on.
struct ProfilePanelParts {
    skin::Skin& skin;
    const profiles::ProfileStore& profiles;
    const link::DeviceIdentity& identity;
    shell::EventBus& events;
    // Loads the selected profile into the live records.
    attach::AttachService& attach;
};

class ProfilePanel {
  public:
    ProfilePanel(const ProfilePanelParts& parts, AppLinkWatchers& watchers)
        : parts_(parts), watchers_(watchers) {}
    ProfilePanel(const ProfilePanel&) = delete;
    ProfilePanel& operator=(const ProfilePanel&) = delete;

    // Routes of the buttons and link check boxes. Once, before "windowinit".
    void install(shell::Application& app);

    void add(ProfileListId list);
    void remove(ProfileListId list);
    void copy(ProfileListId list);
    void rename(ProfileListId list);
    void importFile(ProfileListId list);
    void exportFile(ProfileListId list);
    void reset(ProfileListId list);
    void linkCheckChanged(ProfileListId list);
    void linkButton(ProfileListId list);

  private:
    skin::Control* combo(ProfileListId list);
    int currentRow(ProfileListId list);
    // Shows the operation's message; true when it succeeded.
    bool report(profiles::ProfileOpResult result);
    // Fills the combo from the index again and selects `row`, which loads it.
    void showRows(ProfileListId list, int row);
    void clearLink(ProfileListId list);
    void showLink(ProfileListId list, std::string_view program);
    std::uint8_t variant(ProfileListId list) const;

    ProfilePanelParts parts_;
    AppLinkWatchers& watchers_;
    bool unavailableShown_ = false;
};

}  // namespace quillon::app
