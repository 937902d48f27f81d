#pragma once

// The preferences feature as the program runs it: the language at start-up
// and from the menus, the start at log-on, the tray and settings menus, the
// skin window with its broadcast, and the display scaling. install() adds its
// start-up steps, routes, messages and subscriptions to the application.

#include <filesystem>
#include <functional>
#include <memory>

#include "platform/autostart_entry.h"
#include "platform/user_folders.h"
#include "prefs/preference_files.h"
#include "prefs/preferences.h"
#include "prefs/skin_window.h"
#include "profiles/ini_file.h"
#include "shell/application.h"

namespace quillon::prefs {

// What the front end gives the feature; every part may be left empty
// (headless: no autostart, no skin window, no fonts). The language setting
// lives in the user folders' configuration folder (none: not kept).
struct PrefsFrontEnd {
    // The start at log-on; null: always off.
    std::shared_ptr<platform::AutostartSetting> autostart;
    std::function<std::unique_ptr<SkinWindowShell>()> makeSkinWindow;
    std::function<void(FontTarget, FontChoice)> applyFont;
    std::function<void()> exitProgram;
};

// "main.ini" in the data folder and the language setting in the configuration folder.
PreferencePaths preferencePathsOf(const platform::UserFolders& folders);

// The folder holding "lan.xml": the first program data folder's "skin" that has it.
std::filesystem::path languageFolderOf(const platform::UserFolders& folders);

class PrefsModule {
  public:
    PrefsModule(shell::Application& app, const platform::UserFolders& folders,
                PrefsFrontEnd frontEnd);
    PrefsModule(const PrefsModule&) = delete;
    PrefsModule& operator=(const PrefsModule&) = delete;

    // Once, before "windowinit".
    void install(shell::Application& app);

    Preferences& preferences() { return preferences_; }
    PreferenceFiles& files() { return files_; }

    // A left click on the tray icon: shows the window, or hides it again,
    // while a device is attached; explains that none is otherwise.
    void trayLeftClick();

  private:
    void openSkinWindow();

    shell::Application& app_;
    PrefsFrontEnd frontEnd_;
    profiles::IniStore ini_;
    PreferenceFiles files_;
    std::shared_ptr<platform::AutostartSetting> autostart_;
    Preferences preferences_;
    std::unique_ptr<SkinWindow> skinWindow_;
};

}  // namespace quillon::prefs
