#include "lighting/lighting_module.h"

#include "lighting/lighting_threads.h"
#include "profiles/profile_startup.h"

namespace quillon::lighting {

using link::DeviceKind;

LightingModule::LightingModule(shell::Application& app, const link::DeviceIdentity& identity,
                               WriteLightingProfile write)
    : skin_(app.skin()),
      deviceJobs_(app.deviceJobs()),
      linkFlags_(app.linkFlags()),
      write_(std::move(write)),
      engine_(identity),
      view_(app.skin(), engine_,
            {app.link(DeviceKind::keyboard).syncLighting, app.link(DeviceKind::mouse).syncLighting,
             app.link(DeviceKind::mousepad).syncLighting, &app.linkFlags()},
            [this](DeviceKind kind) { saveProfile(kind); }),
      keyboardChannel_(app.link(DeviceKind::keyboard)),
      mouseChannel_(app.link(DeviceKind::mouse)),
      mousepadChannel_(app.link(DeviceKind::mousepad)),
      settingsWriter_(app.link(DeviceKind::mouse), app.link(DeviceKind::mousepad)),
      resumeRestore_({app.link(DeviceKind::mouse), app.link(DeviceKind::mousepad)}),
      settingsFlush_(engine_.settings, settingsWriter_) {}

void LightingModule::install(shell::Application& app) {
    setLightingBodies(app.workers(), engine_, {keyboardChannel_, mouseChannel_, mousepadChannel_},
                      &linkFlags_);

    view_.install(app.notifications());
    app.messages().onTimer(shell::TimerId::settingsFlush, [this] { queueFlush(); });
    // After the profile lists are read: the views show the records.
    app.addStartupStep(shell::StartupPhase::beforeLinks, [this] { view_.showAtStart(); });

    shell::EventBus& events = app.events();
    // Suspend stops the frames of every lighting thread; resume lets them go
    // on and gives the devices back what a reset may have taken. (A full job
    // queue drops the step: the devices then keep what they hold.)
    events.subscribe<shell::PowerChanged>([this](const shell::PowerChanged& e) {
        const bool resumed = e.state == shell::PowerState::resumed;
        engine_.outputEnabled = resumed;
        if (resumed)
            (void)deviceJobs_.post([this] { resumeRestore_.afterResume(); });
        else
            (void)deviceJobs_.post([this] { resumeRestore_.beforeSuspend(); });
    });
    // The pictures are bound before the view shows the records.
    pictures_.install(events, app.skin());
    events.subscribe<link::DeviceArrived>(
        [this](const link::DeviceArrived& e) { view_.refresh(e.kind); });
    events.subscribe<link::DeviceStateRead>(
        [this](const link::DeviceStateRead& e) { view_.refresh(e.kind); });
    events.subscribe<profiles::ProfileLoaded>(
        [this](const profiles::ProfileLoaded& e) { profileLoaded(e); });
}

void LightingModule::queueFlush() {
    // One settings write per changed record and second, on the device-jobs
    // worker: a silent device must not hold the GUI thread. One flush at a time.
    const bool dirty = engine_.settings.read(
        [](const LightingRecords& r) { return r.mouseDirty || r.mousepadDirty; });
    if (!dirty || flushQueued_.exchange(true))
        return;
    const bool queued = deviceJobs_.post([this] {
        (void)settingsFlush_.tick();
        flushQueued_ = false;
    });
    if (!queued)
        flushQueued_ = false;
}

void LightingModule::saveProfile(DeviceKind kind) {
    if (!write_)
        return;
    // The settings stay in memory either way. A failure is told once, not on
    // every step of a slider, and again after a save has worked in between.
    const bool saved = write_(kind);
    bool& shown = saveFailureShown_[static_cast<std::size_t>(kind)];
    if (!saved && !shown)
        (void)skin_.showMessage(profiles::kMessageNotSaved);  // an information
    shown = !saved;
}

void LightingModule::profileLoaded(const profiles::ProfileLoaded& e) {
    using profiles::ProfileListId;
    switch (e.list) {
        case ProfileListId::keyboardLighting:
            view_.refresh(DeviceKind::keyboard);
            break;
        case ProfileListId::mouseLighting:
            view_.refresh(DeviceKind::mouse);
            if (e.reset)
                engine_.settings.edit([](auto& r) { r.mouseDirty = true; });
            break;
        case ProfileListId::mousepadLighting:
            view_.refresh(DeviceKind::mousepad);
            engine_.settings.edit([](auto& r) { r.mousepadDirty = true; });
            break;
        case ProfileListId::keyboardKeys:
        case ProfileListId::mouseKeys:
            break;  // the key views' business
    }
}

}  // namespace quillon::lighting
