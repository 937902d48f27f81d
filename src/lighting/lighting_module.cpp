#include "lighting/lighting_module.h"

#include "lighting/lighting_threads.h"

namespace quillon::lighting {

using link::DeviceKind;

LightingModule::LightingModule(shell::Application& app, const link::DeviceIdentity& identity,
                               SaveLightingProfile save)
    : engine_(identity),
      view_(app.skin(), engine_,
            {app.link(DeviceKind::keyboard).syncLighting, app.link(DeviceKind::mouse).syncLighting,
             app.link(DeviceKind::mousepad).syncLighting},
            std::move(save)),
      keyboardChannel_(app.link(DeviceKind::keyboard)),
      mouseChannel_(app.link(DeviceKind::mouse)),
      mousepadChannel_(app.link(DeviceKind::mousepad)),
      settingsWriter_(app.link(DeviceKind::mouse), app.link(DeviceKind::mousepad)),
      settingsFlush_(engine_.settings, settingsWriter_) {}

void LightingModule::install(shell::Application& app) {
    setLightingBodies(app.workers(), engine_, {keyboardChannel_, mouseChannel_, mousepadChannel_});

    view_.install(app.notifications());
    // One settings write per changed record and second.
    app.messages().onTimer(shell::TimerId::settingsFlush, [this] { (void)settingsFlush_.tick(); });
    // After the profile lists are read: the views show the records.
    app.addStartupStep(shell::StartupPhase::beforeLinks, [this] {
        for (DeviceKind kind : {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad})
            view_.refresh(kind);
    });

    shell::EventBus& events = app.events();
    // Suspend stops the frames of every lighting thread; resume lets them go on.
    events.subscribe<shell::PowerChanged>([this](const shell::PowerChanged& e) {
        engine_.outputEnabled = e.state == shell::PowerState::resumed;
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
