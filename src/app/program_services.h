#pragma once

// The program's core: its feature modules, in the order they are installed
// into the application object. The GUI's main() and the end-to-end tests
// build the same thing, the first over Qt widgets and the hidraw backend, the
// second over the in-memory skin and the emulated devices.
//
// A new feature is one more module here: construct it with what it uses and
// call its install() in the constructor, after the modules whose events or
// records it needs.

#include <functional>
#include <memory>

#include "app/app_link_watchers.h"
#include "app/attach_key_maps.h"
#include "app/attach_mouse_records.h"
#include "app/profile_panel.h"
#include "app/profiles_module.h"
#include "attach/attach_service.h"
#include "keys/keys_module.h"
#include "keys/macro_module.h"
#include "keys/pattern_store.h"
#include "keys/pattern_view.h"
#include "lighting/lighting_module.h"
#include "link/device_identity.h"
#include "mouse/mouse_module.h"
#include "platform/hid/hid_backend.h"
#include "platform/input/input_hooks.h"
#include "platform/pointer/pointer_settings.h"
#include "platform/user_folders.h"
#include "prefs/prefs_module.h"
#include "shell/application.h"
#include "update/update_module.h"

namespace quillon::app {

// What the desktop and the front end give the modules; tests pass their own,
// and empty members leave that part out (the tests, a headless run).
struct DesktopServices {
    // The macro recorder's and key capture's system-wide input.
    std::unique_ptr<platform::InputHooks> inputHooks = platform::makeSessionInputHooks();
    // Pointer speed and wheel lines go here; null leaves the desktop alone.
    platform::PointerSettings* pointer = nullptr;
    // Where the application links learn the program in front; null for
    // the desktop's own.
    platform::ForegroundProgram* foreground = nullptr;
    // Builds the update window; empty: the window never opens.
    std::function<std::unique_ptr<update::UpdateWindowShell>()> makeUpdateWindow;
    // The tray, skin window, fonts and exit of the desktop front end.
    prefs::PrefsFrontEnd prefs;
};

class ProgramServices {
  public:
    // Installs every module into `application`; construct it before the skin
    // sends "windowinit".
    ProgramServices(shell::Application& application, platform::HidBackend& backend,
                    const platform::UserFolders& folders, DesktopServices desktop = {});
    // Stops the application's workers: their bodies use the modules. Destroy
    // it only after a stop() that left no worker running.
    ~ProgramServices();
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;

    // Stops every worker (about a second at most); before the links are
    // destroyed. Idempotent. stillRunning > 0: a worker ignored its stop and
    // may still use the modules and the links — end the process without
    // destroying them (std::quick_exit).
    shell::StopReport stop();

    lighting::LightingEngine& lightingEngine() { return lighting_.engine(); }
    lighting::LightingView& lightingView() { return lighting_.view(); }
    const lighting::PictureControls& lightingPictures() const { return lighting_.pictures(); }
    attach::AttachService& attach() { return attach_; }
    mouse::MouseModule& mouse() { return mouse_; }
    keys::PatternView& patterns() { return patterns_; }
    const profiles::ProfileStore& profileStore() const { return profiles_.store(); }
    const link::DeviceIdentity& identity() const { return identity_; }
    keys::KeysModule& keys() { return keys_; }
    keys::MacroModule& macros() { return macros_; }
    AppLinkWatchers& linkWatchers() { return linkWatchers_; }
    const update::UpdateModule& updates() const { return *update_; }
    prefs::PrefsModule& prefs() { return prefs_; }

  private:
    shell::Application& app_;
    // The one record of what is attached: attach writes it, the rest reads it.
    link::DeviceIdentity identity_;
    ProfilesModule profiles_;
    lighting::LightingModule lighting_;
    attach::AttachService attach_;
    // Key assignment, over the key maps attach keeps.
    AttachKeyMaps keyMaps_;
    // Macros and the input hooks; key assignment reads their names and images
    // and captures keys through the hooks.
    keys::MacroModule macros_;
    keys::KeysModule keys_;
    platform::UntouchedPointerSettings untouchedDesktop_;
    // Mouse performance, over the records attach and lighting keep.
    AttachMouseRecords mouseRecords_;
    mouse::MouseModule mouse_;
    // Profile operations and application links.
    std::unique_ptr<platform::ForegroundProgram> desktopForeground_;
    AppLinkWatchers linkWatchers_;
    ProfilePanel profilePanel_;
    std::unique_ptr<update::UpdateModule> update_;
    // The movement patterns in the mouse's folder and their page.
    keys::PatternStore patternStore_;
    keys::PatternView patterns_;
    prefs::PrefsModule prefs_;
    bool stopped_ = false;
    shell::StopReport report_;
};

}  // namespace quillon::app
