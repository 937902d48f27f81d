#pragma once

// Device attach as the application runs it: the three attach polls and the
// two event monitors as worker bodies, the re-read messages of the main
// window, and the profile combos' row selection. Built by the front end (which
// owns the records the attach steps fill) and installed before "windowinit".

#include <atomic>

#include "attach/attach_context.h"
#include "attach/keyboard_attach.h"
#include "attach/mouse_attach.h"
#include "attach/mousepad_attach.h"
#include "link/event_threads.h"
#include "shell/application.h"

namespace quillon::attach {

struct AttachServiceParts {
    lighting::LightingSettings& lighting;
    const profiles::ProfileStore& profiles;
    profiles::ProfileRunState& profileRun;
    AttachHooks& hooks;
    // The reactive lighting's pulses, set by the mouse's click event.
    std::atomic<bool>& mouseClickPulse;
    std::atomic<bool>& mousepadClickPulse;
    // The lighting engine's keyboard variant (nullptr: none).
    std::atomic<std::uint8_t>* lightingKeyboardVariant = nullptr;
};

class AttachService {
  public:
    AttachService(shell::Application& app, platform::HidBackend& backend,
                  const AttachServiceParts& parts);
    AttachService(const AttachService&) = delete;
    AttachService& operator=(const AttachService&) = delete;

    // Worker bodies, message handlers and routes. Once, before "windowinit".
    void install();

    AttachContext& context() { return ctx_; }
    const DeviceIdentity& identity() const { return identity_; }
    const DeviceStores& stores() const { return stores_; }
    bool mouseEventsHeld() const { return mouseMonitor_.holdsInterface(); }
    bool keyboardEventsHeld() const { return keyboardMonitor_.holdsInterface(); }

  private:
    shell::Application& app_;
    DeviceIdentity identity_;
    DeviceStores stores_;
    BoundControls controls_;
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
