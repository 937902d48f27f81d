#include "attach/attach_service.h"

#include "attach/profile_memory.h"
#include "attach/profile_select.h"
#include "attach/state_reads.h"
#include "link/protocol.h"

namespace quillon::attach {

using link::DeviceKind;
using shell::MessageId;
using shell::Worker;
using shell::WorkerContext;

AttachService::AttachService(shell::Application& app, platform::HidBackend& backend,
                             const AttachServiceParts& parts)
    : app_(app),
      ctx_{app.link(DeviceKind::keyboard),
           app.link(DeviceKind::mouse),
           app.link(DeviceKind::mousepad),
           app.loop(),
           app.skin(),
           parts.lighting,
           stores_,
           parts.identity,
           parts.profiles,
           parts.profileRun,
           app.events()},
      // The keyboard's settling wait ends early when its worker is asked to stop.
      keyboardSteps_(ctx_, &app.workers().stopSignal(Worker::keyboardAttach)),
      mouseSteps_(ctx_),
      mousepadSteps_(ctx_),
      mouseEvents_(app.loop(), parts.mouseClickPulse, parts.mousepadClickPulse),
      mouseMonitor_(backend, mouseEvents_),
      keyboardMonitor_(backend),
      hotplug_(backend) {}

bool AttachService::saveLightingProfile(DeviceKind kind) {
    using profiles::ProfileListId;
    const ProfileListId list = kind == DeviceKind::keyboard ? ProfileListId::keyboardLighting
                               : kind == DeviceKind::mouse  ? ProfileListId::mouseLighting
                                                            : ProfileListId::mousepadLighting;
    return saveListProfile(list) == profiles::ProfileSaveResult::ok;
}

profiles::ProfileReadResult AttachService::loadListProfile(profiles::ProfileListId list, int row) {
    return attach::loadListProfile(ctx_, list, row);
}

profiles::ProfileSaveResult AttachService::saveListProfile(profiles::ProfileListId list) {
    return attach::saveListProfile(ctx_, list);
}

void AttachService::install() {
    shell::WorkerSet& workers = app_.workers();
    // The worker set writes each exit line when the body returns.
    workers.setBody(
        Worker::keyboardAttach,
        [this](const WorkerContext& w) {
            link::runAttachPoll(ctx_.keyboardLink, DeviceKind::keyboard, keyboardSteps_, w.stop, {},
                                {}, &hotplug_);
        },
        std::string(kKeyboardAttachExitLine));
    workers.setBody(
        Worker::mouseAttach,
        [this](const WorkerContext& w) {
            link::runAttachPoll(ctx_.mouseLink, DeviceKind::mouse, mouseSteps_, w.stop, {}, {},
                                &hotplug_);
        },
        std::string(kMouseAttachExitLine));
    workers.setBody(
        Worker::mousepadAttach,
        [this](const WorkerContext& w) {
            link::runAttachPoll(ctx_.mousepadLink, DeviceKind::mousepad, mousepadSteps_, w.stop, {},
                                {}, &hotplug_);
        },
        std::string(kMousepadAttachExitLine));
    workers.setBody(
        Worker::mouseEvents, [this](const WorkerContext& w) { mouseMonitor_.run(w.stop); },
        std::string(link::kMouseEventThreadExitLine));
    workers.setBody(
        Worker::keyboardEvents, [this](const WorkerContext& w) { keyboardMonitor_.run(w.stop); },
        std::string(link::kKeyboardEventThreadExitLine));

    shell::MessageRouter& messages = app_.messages();
    // The re-reads talk to the device on the device-jobs worker; the views
    // hear DeviceStateRead on the GUI thread once the answers are in. A
    // re-read refused for a full queue is covered by the ones still queued.
    auto reread = [this](std::function<void()> read, std::optional<DeviceKind> readKind) {
        static_cast<void>(app_.deviceJobs().post([this, read = std::move(read), readKind] {
            read();
            if (readKind)
                static_cast<void>(ctx_.loop.post([this, kind = *readKind] {
                    ctx_.events.publish(link::DeviceStateRead{kind});
                }));
        }));
    };
    messages.on(MessageId::mouseStateReread, [this, reread](const shell::WindowMessage&) {
        reread([this] { readMouseState(ctx_); }, DeviceKind::mouse);
    });
    messages.on(MessageId::mouseSettingsReread, [this, reread](const shell::WindowMessage&) {
        reread([this] { readMouseSettings(ctx_); }, DeviceKind::mouse);
    });
    messages.on(MessageId::mousepadStateReread, [this, reread](const shell::WindowMessage&) {
        reread([this] { readMousepadState(ctx_); }, DeviceKind::mousepad);
    });
    messages.on(MessageId::mousepadSlotReread, [this, reread](const shell::WindowMessage&) {
        reread([this] { readMousepadActiveSlot(ctx_); }, DeviceKind::mousepad);
    });
    messages.on(MessageId::keyboardStateReread, [this, reread](const shell::WindowMessage&) {
        // More than 170 keys was told to the user by the read itself.
        reread([this] { static_cast<void>(readKeyboardState(ctx_)); }, DeviceKind::keyboard);
    });
    messages.on(MessageId::keyboardStoreDefaultKeys, [this, reread](const shell::WindowMessage&) {
        // Nothing is written without an answer; there is no message for it.
        reread([this] { static_cast<void>(storeKeyboardDefaultKeys(ctx_)); }, std::nullopt);
    });

    addProfileSelectRoutes(app_.notifications(), ctx_);
}

}  // namespace quillon::attach
