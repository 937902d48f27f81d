#pragma once

// Device attach as the application runs it: the three attach polls and the
// two event monitors as worker bodies, the re-read messages of the main
// window, and the profile combos' row selection. It publishes DeviceArrived,
// DeviceLeft, DeviceStateRead, KeyboardKeyMapRead, MovementPatternsRead and
// ProfileLoaded; the feature modules answer those. Installed before
// "windowinit".

#include <atomic>

#include "attach/attach_context.h"
#include "attach/keyboard_attach.h"
#include "attach/mouse_attach.h"
#include "attach/mousepad_attach.h"
#include "link/event_threads.h"
#include "profiles/profile_content.h"
#include "profiles/profile_file.h"
#include "profiles/profile_lists.h"
#include "shell/application.h"

namespace quillon::attach {

struct AttachServiceParts {
    // The program's one identity record; attach is its only writer.
    link::DeviceIdentity& identity;
    lighting::LightingSettings& lighting;
    const profiles::ProfileStore& profiles;
    profiles::ProfileRunState& profileRun;
    // The reactive lighting's pulses, set by the mouse's click event.
    std::atomic<bool>& mouseClickPulse;
    std::atomic<bool>& mousepadClickPulse;
};

class AttachService {
  public:
    AttachService(shell::Application& app, platform::HidBackend& backend,
                  const AttachServiceParts& parts);
    AttachService(const AttachService&) = delete;
    AttachService& operator=(const AttachService&) = delete;

    // Worker bodies, message handlers and routes. Once, before "windowinit".
    void install();

    // GUI thread: writes the selected lighting profile of the kind from the
    // live records. False when it was not written (the records stay in memory).
    [[nodiscard]] bool saveLightingProfile(link::DeviceKind kind);

    // GUI thread: moves a list's profile between its content file and the
    // live records (lighting, slot records, key maps). A failed read changes
    // nothing in memory.
    [[nodiscard]] profiles::ProfileReadResult loadListProfile(profiles::ProfileListId list,
                                                              int row);
    [[nodiscard]] profiles::ProfileSaveResult saveListProfile(profiles::ProfileListId list);

    const link::DeviceIdentity& identity() const { return ctx_.identity; }
    // The records attach fills from the devices; the features read and edit them.
    DeviceStores& stores() { return stores_; }
    const DeviceStores& stores() const { return stores_; }
    bool mouseEventsHeld() const { return mouseMonitor_.holdsInterface(); }
    bool keyboardEventsHeld() const { return keyboardMonitor_.holdsInterface(); }

  private:
    shell::Application& app_;
    DeviceStores stores_;
    AttachContext ctx_;
    KeyboardAttach keyboardSteps_;
    MouseAttach mouseSteps_;
    MousepadAttach mousepadSteps_;
    MouseEventRouter mouseEvents_;
    link::MouseEventMonitor mouseMonitor_;
    link::KeyboardEventMonitor keyboardMonitor_;
    link::HotplugRelay hotplug_;
};

}  // namespace quillon::attach
