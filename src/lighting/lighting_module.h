#pragma once

// The lighting feature as the program runs it: the engine with its four
// lighting threads, the three lighting views, the device pictures and the
// once-a-second settings flush. install() adds its worker bodies, routes,
// timer, start-up step and event subscriptions to the application.

#include <array>
#include <atomic>
#include <functional>

#include "lighting/lighting_engine.h"
#include "lighting/lighting_view.h"
#include "lighting/link_channel.h"
#include "lighting/picture_controls.h"
#include "lighting/resume_restore.h"
#include "lighting/settings_flush.h"
#include "link/device_events.h"
#include "link/device_identity.h"
#include "profiles/profile_events.h"
#include "shell/application.h"

namespace quillon::lighting {

// Writes a kind's current lighting profile; false when it was not written.
using WriteLightingProfile = std::function<bool(link::DeviceKind)>;

class LightingModule {
  public:
    // `identity` is read by the lighting threads; `write` writes a kind's
    // current lighting profile (the profile code's business).
    LightingModule(shell::Application& app, const link::DeviceIdentity& identity,
                   WriteLightingProfile write);
    LightingModule(const LightingModule&) = delete;
    LightingModule& operator=(const LightingModule&) = delete;

    // Once, before "windowinit".
    void install(shell::Application& app);

    LightingEngine& engine() { return engine_; }
    LightingView& view() { return view_; }
    const PictureControls& pictures() const { return pictures_.controls(); }

  private:
    void profileLoaded(const profiles::ProfileLoaded& loaded);
    void saveProfile(link::DeviceKind kind);
    void queueFlush();

    skin::Skin& skin_;
    shell::DeviceJobs& deviceJobs_;
    link::FlagWatch& linkFlags_;
    WriteLightingProfile write_;
    // Per device kind: a failed save was told to the user, until a save works again.
    std::array<bool, 3> saveFailureShown_{};
    // A flush is queued or running on the device-jobs worker.
    std::atomic<bool> flushQueued_{false};

    LightingEngine engine_;
    LightingView view_;
    LinkChannel keyboardChannel_;
    LinkChannel mouseChannel_;
    LinkChannel mousepadChannel_;
    LinkSettingsWriter settingsWriter_;
    ResumeRestore resumeRestore_;
    SettingsFlushTimer settingsFlush_;
    DevicePictures pictures_;
};

}  // namespace quillon::lighting
