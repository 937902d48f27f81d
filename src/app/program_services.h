#pragma once

// The composition root of the program's core: profiles, device attach,
// lighting and their views, wired into the application object. The GUI's
// main() and the end-to-end tests build the same thing, the first over Qt
// widgets and the hidraw backend, the second over the in-memory skin and the
// emulated devices.

#include <array>
#include <atomic>
#include <functional>

#include "attach/attach_hooks.h"
#include "attach/attach_service.h"
#include "lighting/lighting_engine.h"
#include "lighting/lighting_threads.h"
#include "lighting/lighting_view.h"
#include "lighting/link_channel.h"
#include "lighting/settings_flush.h"
#include "platform/hid/hid_backend.h"
#include "platform/user_folders.h"
#include "profiles/ini_file.h"
#include "profiles/profile_content.h"
#include "profiles/profile_folders.h"
#include "profiles/profile_startup.h"
#include "shell/application.h"

namespace quillon::app {

class ProgramServices {
  public:
    // Installs routes, messages, timers, start-up steps and worker bodies into
    // `application`; construct it before the skin sends "windowinit".
    ProgramServices(shell::Application& application, platform::HidBackend& backend,
                    const platform::UserFolders& folders);
    // Stops the application's workers: their bodies live here.
    ~ProgramServices();
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;

    // Stops every worker (bounded); before the links are destroyed. Idempotent.
    void stop();

    lighting::LightingEngine& lightingEngine() { return lighting_; }
    lighting::LightingView& lightingView() { return view_; }
    attach::AttachService& attach() { return attach_; }
    const profiles::ProfileStore& profileStore() const { return profileStore_; }

  private:
    // The views' follow-ups of attach and of a profile selection.
    class Hooks final : public attach::AttachHooks {
      public:
        explicit Hooks(ProgramServices& services) : services_(services) {}
        void refreshKeyboardLightingView() override;
        void refreshMouseViews() override;
        void refreshMousepadLightingView() override;
        void profileLoaded(profiles::ProfileListId list, bool reset) override;

      private:
        ProgramServices& services_;
    };

    void saveLighting(link::DeviceKind kind);
    void installRoutes();
    void installLightingWorkers();

    shell::Application& app_;
    profiles::ProfileFolders profileFolders_;
    profiles::IniStore ini_;
    profiles::ProfileStore profileStore_;
    profiles::ProfileRunState profileRun_;
    // Per device kind: a failed save was told to the user, until a save works again.
    std::array<bool, 3> saveFailureShown_{};
    lighting::LightingEngine lighting_;
    Hooks hooks_;
    attach::AttachService attach_;
    lighting::LightingView view_;
    lighting::LinkChannel keyboardChannel_;
    lighting::LinkChannel mouseChannel_;
    lighting::LinkChannel mousepadChannel_;
    lighting::LinkSettingsWriter settingsWriter_;
    lighting::SettingsFlushTimer settingsFlush_;
    // A flush is queued or running on the device-jobs worker.
    std::atomic<bool> flushQueued_{false};
};

}  // namespace quillon::app
