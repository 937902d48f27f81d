#pragma once

// The program's core: its feature modules, in the order they are installed
// into the application object. The GUI's main() and the end-to-end tests
// build the same thing, the first over Qt widgets and the hidraw backend, the
// second over the in-memory skin and the emulated devices.
//
// A new feature is one more module here: construct it with what it uses and
// call its install() in the constructor, after the modules whose events or
// records it needs.

#include "app/profiles_module.h"
#include "attach/attach_service.h"
#include "lighting/lighting_module.h"
#include "link/device_identity.h"
#include "platform/hid/hid_backend.h"
#include "platform/user_folders.h"
#include "prefs/prefs_module.h"
#include "shell/application.h"

namespace quillon::app {

class ProgramServices {
  public:
    // Installs every module into `application`; construct it before the skin
    // sends "windowinit".
    ProgramServices(shell::Application& application, platform::HidBackend& backend,
                    const platform::UserFolders& folders, prefs::PrefsFrontEnd prefsFrontEnd = {});
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
    const profiles::ProfileStore& profileStore() const { return profiles_.store(); }
    const link::DeviceIdentity& identity() const { return identity_; }
    prefs::PrefsModule& prefs() { return prefs_; }

  private:
    shell::Application& app_;
    // The one record of what is attached: attach writes it, the rest reads it.
    link::DeviceIdentity identity_;
    ProfilesModule profiles_;
    lighting::LightingModule lighting_;
    attach::AttachService attach_;
    prefs::PrefsModule prefs_;
    bool stopped_ = false;
    shell::StopReport report_;
};

}  // namespace quillon::app
