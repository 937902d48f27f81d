#pragma once

// The program's own preferences as the user changes them: the language (from
// the tray menu, the settings window or the stored setting at start-up), the
// start at log-on, and the commands of the tray and settings menus.
// GUI thread only.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "platform/autostart_entry.h"
#include "prefs/language_table.h"
#include "prefs/preference_files.h"
#include "skin/skin.h"

namespace quillon::prefs {

enum class FontTarget { mainWindow, settingsWindow };

struct PreferencesParts {
    skin::Skin& skin;
    PreferenceFiles& files;
    platform::AutostartSetting& autostart;
    // The folder with "lan.xml" and the language files.
    std::filesystem::path languageFolder;
    // Removes the window's fonts and makes `font` (already scaled) its default; may be empty.
    std::function<void(FontTarget, FontChoice)> applyFont;
    // Closes the main window: the program ends.
    std::function<void()> exitProgram;
    // Asks the main window to reload its texts (message 0x1000).
    std::function<void()> requestTextReload;
};

enum class [[nodiscard]] LanguageChange{
    applied,
    notLoaded,  // the language file is missing or bad: nothing was changed or stored
    notStored,  // shown, but a preference file could not be written
    unknown,    // no such row
};

inline constexpr std::string_view kTrayMenu = "menu.xml";
inline constexpr std::string_view kSettingsMenu = "setmenu.xml";

class Preferences {
  public:
    explicit Preferences(PreferencesParts parts);

    // Start-up, before the workers: the stored language number becomes
    // LANGUAGE of "main.ini" (an unknown number changes nothing).
    void copyStoredLanguage();
    // Start-up, after the workers: the language of "main.ini" with its
    // start-up font, and the autostart state.
    void loadStartupLanguage();

    // The tray menu's language items (no font change).
    LanguageChange applyFromMenu(const Language& language);
    // A row of the settings window's language combo: its own font, then the
    // main window reloads its texts.
    LanguageChange applyFromSettings(int comboRow);
    int languageValue() const { return parts_.files.languageValue(); }

    bool autostartEnabled() const { return autostartEnabled_; }
    // Flips the start at log-on; the state is what the system holds afterwards.
    bool toggleAutostart();

    // The items the program adds after the first item of its menus.
    std::vector<skin::MenuItem> trayMenuItems() const;
    std::vector<skin::MenuItem> settingsMenuItems() const;
    void openTrayMenu();
    void openSettingsMenu(std::string_view anchor);
    // What a chosen menu item does.
    void menuCommand(std::string_view item);
    // The menu-command message: wParam is an id of menuItemOfId.
    void menuCommand(std::uint64_t id);

    // The display scaling in percent (100: 96 DPI); fonts set from now on use it.
    void setScaling(int percent);
    int scaling() const { return scalePercent_; }

  private:
    LanguageChange apply(const Language& language, std::string_view code, bool store);
    FontChoice scaled(FontChoice font) const;

    PreferencesParts parts_;
    bool autostartEnabled_ = false;
    int scalePercent_ = 100;
    const Language* startupLanguage_ = nullptr;
};

// The menu items the program knows, numbered from 1 for the menu-command
// message, whose wParam carries the id; nullopt for any other number or name.
std::optional<std::string_view> menuItemOfId(std::uint64_t id);
std::optional<std::uint64_t> menuIdOfItem(std::string_view item);

}  // namespace quillon::prefs
