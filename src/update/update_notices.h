#pragma once

// The notices the update window gets about devices arriving and leaving,
// derived from the device events.

#include <cstdint>
#include <optional>

#include "link/device_events.h"

namespace quillon::update {

enum class UpdateNotice : std::uint32_t {
    rgbKeyboardArrived = 0x0D51,
    rgbKeyboardLeft = 0x0D52,
    oneColourKeyboardArrived = 0x0D53,
    oneColourKeyboardLeft = 0x0D54,
    mouseArrived = 0x0D55,
    mouseLeft = 0x0D56,
    membraneKeyboardArrived = 0x0D57,
    mouse2Arrived = 0x0D58,
    membraneKeyboardLeft = 0x0D59,
    mouse2Left = 0x0D60,
};

UpdateNotice keyboardArrivalNotice(link::KeyboardVariant variant);
UpdateNotice keyboardRemovalNotice(link::KeyboardVariant variant);

// None for the mousepad and the second-edition mouse.
std::optional<UpdateNotice> arrivalNotice(const link::DeviceArrived& arrived);
std::optional<UpdateNotice> removalNotice(const link::DeviceLeft& left);

// Only the keyboard and the mouse close the update window, when nothing is
// left attached; the mousepad leaves it open.
constexpr bool closesUpdateWindow(const link::DeviceLeft& left) {
    return left.nothingLeft && left.kind != link::DeviceKind::mousepad;
}

}  // namespace quillon::update
