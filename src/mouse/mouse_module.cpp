#include "mouse/mouse_module.h"

#include <chrono>
#include <string>

#include "link/device_events.h"
#include "link/protocol.h"
#include "mouse/dpi_controls.h"
#include "mouse/slot_switch.h"
#include "profiles/profile_events.h"
#include "profiles/profile_startup.h"
#include "shell/control_name.h"

namespace quillon::mouse {

using link::DeviceKind;
using skin::NotifyType;

namespace {
// The mousepad takes this long to come back from its reset.
constexpr std::chrono::milliseconds kMousepadResetSettle{1000};
}  // namespace

MouseModule::MouseModule(shell::Application& app, MouseModuleParts parts)
    : app_(app),
      parts_(std::move(parts)),
      pointer_(parts_.desktop),
      view_({app.skin(), parts_.records, parts_.identity, pointer_, [this] { save(); },
             parts_.presetColours}) {}

void MouseModule::install() {
    shell::NotificationRouter& router = app_.notifications();
    view_.install(router);
    router.addName(NotifyType::click, kDpiView.mouseReset,
                   [this](const skin::Notification&, int) { resetMouse(); });
    router.addName(NotifyType::click, kDpiView.mousepadReset,
                   [this](const skin::Notification&, int) { resetMousepad(); });
    router.addPrefix(
        NotifyType::click, kSlotSwitches.mousePrefix,
        [this](const skin::Notification& n, int slot) {
            if (shell::isNumberedName(n.name))
                switchSlot(DeviceKind::mouse, slot);
        },
        shell::Flow::continues);
    router.addName(
        NotifyType::itemSelect, kSlotSwitches.mousepadCombo,
        [this](const skin::Notification& n, int) { switchSlot(DeviceKind::mousepad, n.row); });

    shell::EventBus& events = app_.events();
    events.subscribe<link::DeviceArrived>(
        [this](const link::DeviceArrived& e) { stateShown(e.kind); });
    events.subscribe<link::DeviceStateRead>(
        [this](const link::DeviceStateRead& e) { stateShown(e.kind); });
    events.subscribe<profiles::ProfileLoaded>([this](const profiles::ProfileLoaded& e) {
        if (e.list != profiles::ProfileListId::mouseLighting)
            return;
        view_.refresh();
        view_.restoreSystemSettings();
    });
}

void MouseModule::save() {
    if (!parts_.saveProfile)
        return;
    // The settings stay in memory either way; a failure is told once until a
    // save works again.
    const bool saved = parts_.saveProfile();
    if (!saved && !saveFailureShown_)
        (void)app_.skin().showMessage(profiles::kMessageNotSaved);  // an information
    saveFailureShown_ = !saved;
}

void MouseModule::resetMouse() {
    view_.resetSystemSettings();
    link::DeviceLink& link = app_.link(DeviceKind::mouse);
    // A queued reset that finds the queue full is the user's to repeat.
    static_cast<void>(app_.deviceJobs().post([this, &link] {
        // What waits for the flush is the state before the reset: it must not
        // undo it.
        parts_.records.dropPendingWrite(DeviceKind::mouse);
        // Sent without an answer to wait for; the re-read shows what the mouse holds now.
        static_cast<void>(link::reset(link));
        static_cast<void>(app_.postMessage({shell::MessageId::mouseSettingsReread, 0, 0}));
    }));
}

void MouseModule::resetMousepad() {
    link::DeviceLink& link = app_.link(DeviceKind::mousepad);
    const link::StopSignal& stop = app_.workers().stopSignal(shell::Worker::deviceJobs);
    static_cast<void>(app_.deviceJobs().post([this, &link, &stop] {
        parts_.records.dropPendingWrite(DeviceKind::mousepad);
        static_cast<void>(link::reset(link));
        if (stop.waitFor(kMousepadResetSettle) == link::StopSignal::Wake::stop)
            return;
        static_cast<void>(app_.postMessage({shell::MessageId::mousepadStateReread, 0, 0}));
    }));
}

void MouseModule::switchSlot(DeviceKind kind, int slot) {
    if (slot < 0 || slot > link::kHighestSlot)
        return;  // not a slot of the table: nothing is sent
    link::DeviceLink& link = app_.link(kind);
    static_cast<void>(app_.deviceJobs().post([this, kind, slot, &link] {
        if (mouse::switchSlot(kind, link, parts_.records, slot) != SlotSwitch::switched)
            return;
        static_cast<void>(app_.loop().post([this, kind] {
            if (kind == DeviceKind::mouse) {
                if (skin::Control* panel = app_.skin().find(kSlotSwitches.keyFunctionPanel))
                    panel->setVisible(false);
            }
            app_.events().publish(link::DeviceStateRead{kind});
        }));
    }));
}

void MouseModule::stateShown(DeviceKind kind) {
    if (kind == DeviceKind::keyboard)
        return;
    const std::uint8_t slot = parts_.records.activeSlot(kind);
    if (kind == DeviceKind::mouse) {
        view_.refresh();
        if (slot <= link::kHighestSlot) {
            const std::string button =
                std::string(kSlotSwitches.mousePrefix) + std::to_string(slot);
            if (skin::Control* b = app_.skin().find(button))
                b->setChecked(true, false);
        }
        return;
    }
    if (skin::Control* combo = app_.skin().find(kSlotSwitches.mousepadCombo))
        if (slot <= link::kHighestSlot)
            combo->selectRow(slot, false);
}

}  // namespace quillon::mouse
