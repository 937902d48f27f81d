#pragma once

// What the program knows of the attached devices' identity: the keyboard
// variant and mouse model (kept after the device leaves), the presence codes
// the update window shows, and the HID version numbers the update service
// compares. One record for the whole program: the attach threads write it,
// the lighting threads and views read it, so every field is atomic.

#include <atomic>
#include <cstdint>

#include "link/device_models.h"

namespace quillon::link {

// keyboardPresent: 0 none, 1 RGB, 2 one-colour, 3 membrane.
// mousePresent: 0 none (also a second-edition mouse), 1 first model, 2 model 2.
struct DeviceIdentity {
    std::atomic<KeyboardVariant> keyboardVariant{KeyboardVariant::rgb};
    std::atomic<std::uint8_t> keyboardPresent{0};
    std::atomic<std::uint16_t> keyboardFirmwareVersion{0};
    std::atomic<MouseModel> mouseModel{MouseModel::first};
    std::atomic<std::uint8_t> mousePresent{0};
    std::atomic<std::uint16_t> mouseFirmwareVersion{0};
};

constexpr std::uint8_t keyboardPresentCode(KeyboardVariant variant) {
    return static_cast<std::uint8_t>(variantByte(variant) + 1);
}
// The second edition has no views of its own and counts as no mouse for the
// update window.
constexpr std::uint8_t mousePresentCode(MouseModel model) {
    return model == MouseModel::first ? 1 : model == MouseModel::model2 ? 2 : 0;
}

}  // namespace quillon::link
