#pragma once

// The mouse performance feature: the DPI view with its system settings, the
// factory resets of the mouse and the mousepad, and the onboard slot switches
// of both. install() adds its routes and event subscriptions.

#include <cstdint>
#include <functional>
#include <span>

#include "link/device_catalogue.h"
#include "link/device_identity.h"
#include "mouse/dpi_view.h"
#include "mouse/mouse_records.h"
#include "mouse/pointer_applier.h"
#include "platform/pointer/pointer_settings.h"
#include "shell/application.h"

namespace quillon::mouse {

struct MouseModuleParts {
    // The state records, information record, slot tables and system settings.
    MouseRecords& records;
    const link::DeviceIdentity& identity;
    // The desktop the pointer speed and wheel lines go to.
    platform::PointerSettings& desktop;
    // Writes the current mouse lighting profile; false when it was not written.
    std::function<bool()> saveProfile;
    // The preset colour buttons' colours, 0xAARRGGBB, by button number.
    std::span<const std::uint32_t> presetColours;
};

class MouseModule {
  public:
    MouseModule(shell::Application& app, MouseModuleParts parts);
    MouseModule(const MouseModule&) = delete;
    MouseModule& operator=(const MouseModule&) = delete;

    // Once, before "windowinit".
    void install();

    DpiView& view() { return view_; }
    PointerApplier& pointer() { return pointer_; }

  private:
    void save();
    void resetMouse();
    void resetMousepad();
    void switchSlot(link::DeviceKind kind, int slot);
    // The device's records are new: its views show them.
    void stateShown(link::DeviceKind kind);

    shell::Application& app_;
    MouseModuleParts parts_;
    bool saveFailureShown_ = false;
    PointerApplier pointer_;
    DpiView view_;
};

}  // namespace quillon::mouse
