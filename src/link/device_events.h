#pragma once

// What device attach tells the feature modules, published on the GUI thread
// (shell::EventBus). A module shows, hides and fills its own controls in
// answer; attach itself touches only the window and the device tabs.

#include <cstdint>
#include <vector>

#include "link/device_catalogue.h"
#include "link/device_info.h"
#include "link/device_models.h"

namespace quillon::link {

// A device arrived and its stored state was read; its saved profiles are
// selected already. Only the field of its own kind is meaningful among
// `keyboardVariant` and `mouseModel`.
struct DeviceArrived {
    DeviceKind kind = DeviceKind::keyboard;
    KeyboardVariant keyboardVariant = KeyboardVariant::rgb;
    MouseModel mouseModel = MouseModel::first;
    DeviceInfo info;
    std::uint16_t firmwareVersion = 0;
};

// A device left. `nothingLeft`: no other kind is attached (the window hides).
struct DeviceLeft {
    DeviceKind kind = DeviceKind::keyboard;
    KeyboardVariant keyboardVariant = KeyboardVariant::rgb;
    MouseModel mouseModel = MouseModel::first;
    bool nothingLeft = false;
};

// The device's stored state was read again on request (the re-read messages);
// its views show the new records.
struct DeviceStateRead {
    DeviceKind kind = DeviceKind::keyboard;
};

// The keyboard's factory key map was read (it is in the device stores): the
// key views derive which key slot each on-screen position shows.
struct KeyboardKeyMapRead {
    int keyCount = 0;
};

// A movement-pattern image read back from the mouse, marker and size checked.
struct MovementPatternsRead {
    std::vector<std::uint8_t> image;
};

}  // namespace quillon::link
