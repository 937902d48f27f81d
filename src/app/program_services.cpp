#include "app/program_services.h"

#include "attach/profile_memory.h"
#include "shell/timer_ids.h"
#include "shell/window_message.h"

namespace quillon::app {

using link::DeviceKind;
using profiles::ProfileListId;

ProgramServices::ProgramServices(shell::Application& application, platform::HidBackend& backend,
                                 const platform::UserFolders& folders)
    : app_(application),
      profileFolders_(folders),
      profileStore_{profileFolders_, ini_},
      hooks_(*this),
      attach_(application, backend,
              {lighting_.settings, profileStore_, profileRun_, hooks_,
               lighting_.signals.mouseClickPulse, lighting_.signals.mousepadClickPulse,
               &lighting_.keyboardVariant}),
      view_(application.skin(), lighting_,
            {application.link(DeviceKind::keyboard).syncLighting,
             application.link(DeviceKind::mouse).syncLighting,
             application.link(DeviceKind::mousepad).syncLighting, &application.linkFlags()},
            [this](DeviceKind kind) { saveLighting(kind); }),
      keyboardChannel_(application.link(DeviceKind::keyboard)),
      mouseChannel_(application.link(DeviceKind::mouse)),
      mousepadChannel_(application.link(DeviceKind::mousepad)),
      settingsWriter_(application.link(DeviceKind::mouse), application.link(DeviceKind::mousepad)),
      settingsFlush_(lighting_.settings, settingsWriter_) {
    attach_.install();
    installLightingWorkers();
    installRoutes();
    app_.addStartupStep(shell::StartupPhase::beforeLinks, [this] {
        for (DeviceKind kind : {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad}) {
            // A list that cannot be read or made was told to the user already.
            (void)profiles::startProfileLists(profileStore_, app_.skin(), profileRun_, kind);
        }
        view_.showAtStart();
    });
}

ProgramServices::~ProgramServices() {
    stop();
}

void ProgramServices::stop() {
    (void)app_.shutdown();
}

void ProgramServices::installLightingWorkers() {
    struct Slot {
        shell::Worker worker;
        lighting::LightingThread thread;
    };
    static constexpr Slot kSlots[] = {
        {shell::Worker::keyboardLighting, lighting::LightingThread::keyboard},
        {shell::Worker::mouseLighting, lighting::LightingThread::mouse},
        {shell::Worker::mousepadLighting, lighting::LightingThread::mousepad},
        {shell::Worker::syncLighting, lighting::LightingThread::sync},
    };
    const lighting::ThreadStartDelays delays;
    for (const Slot& slot : kSlots) {
        app_.workers().setBody(
            slot.worker,
            [this, thread = slot.thread,
             delay = delays.of(slot.thread)](const shell::WorkerContext& worker) {
                lighting::runLightingThread(lighting_,
                                            {keyboardChannel_, mouseChannel_, mousepadChannel_},
                                            worker.stop, thread, delay, &app_.linkFlags());
            },
            std::string(lighting::exitLine(slot.thread)));
    }
}

void ProgramServices::installRoutes() {
    // The lighting views know their own controls; every other route still runs.
    for (std::size_t t = 0; t < skin::NOTIFY_TYPE_COUNT; ++t) {
        const auto type = static_cast<skin::NotifyType>(t);
        if (type == skin::NotifyType::windowInit)
            continue;
        app_.notifications().addObserver(
            type, [this](const skin::Notification& n, int) { (void)view_.handle(n); });
    }
    // One settings write per changed record and second, on the device-jobs
    // worker: a silent device must not hold the GUI thread. One flush at a time.
    app_.messages().onTimer(shell::TimerId::settingsFlush, [this] {
        const bool dirty = lighting_.settings.read(
            [](const lighting::LightingRecords& r) { return r.mouseDirty || r.mousepadDirty; });
        if (!dirty || flushQueued_.exchange(true))
            return;
        const bool queued = app_.deviceJobs().post([this] {
            (void)settingsFlush_.tick();
            flushQueued_ = false;
        });
        if (!queued)
            flushQueued_ = false;
    });
    // Suspend stops the frames of every lighting thread; resume lets them go on.
    app_.messages().on(shell::MessageId::powerBroadcast, [this](const shell::WindowMessage& m) {
        if (m.wParam == shell::kPowerSuspend) {
            app_.outputEnabled = false;
            lighting_.outputEnabled = false;
        } else if (m.wParam == shell::kPowerResume) {
            app_.outputEnabled = true;
            lighting_.outputEnabled = true;
        }
    });
}

void ProgramServices::saveLighting(DeviceKind kind) {
    const ProfileListId list = kind == DeviceKind::keyboard ? ProfileListId::keyboardLighting
                               : kind == DeviceKind::mouse  ? ProfileListId::mouseLighting
                                                            : ProfileListId::mousepadLighting;
    // The settings stay in memory either way. A failure is told once, not on
    // every step of a slider, and again after a save has worked in between.
    const bool saved =
        attach::saveListProfile(attach_.context(), list) == profiles::ProfileSaveResult::ok;
    bool& shown = saveFailureShown_[static_cast<std::size_t>(kind)];
    if (!saved && !shown)
        (void)app_.skin().showMessage(profiles::kMessageNotSaved);  // an information
    shown = !saved;
}

void ProgramServices::Hooks::refreshKeyboardLightingView() {
    services_.view_.refresh(DeviceKind::keyboard);
}

void ProgramServices::Hooks::refreshMouseViews() {
    services_.view_.refresh(DeviceKind::mouse);
}

void ProgramServices::Hooks::refreshMousepadLightingView() {
    services_.view_.refresh(DeviceKind::mousepad);
}

void ProgramServices::Hooks::profileLoaded(ProfileListId list, bool reset) {
    switch (list) {
        case ProfileListId::keyboardLighting:
            services_.view_.refresh(DeviceKind::keyboard);
            break;
        case ProfileListId::mouseLighting:
            services_.view_.refresh(DeviceKind::mouse);
            if (reset)
                services_.lighting_.settings.edit([](auto& r) { r.mouseDirty = true; });
            break;
        case ProfileListId::mousepadLighting:
            services_.view_.refresh(DeviceKind::mousepad);
            services_.lighting_.settings.edit([](auto& r) { r.mousepadDirty = true; });
            break;
        case ProfileListId::keyboardKeys:
        case ProfileListId::mouseKeys:
            // The key views and the key-map write to slot 0 belong to the key
            // assignment subsystem, which is not built yet.
            break;
    }
}

}  // namespace quillon::app
