#pragma once

// What the attach steps learn about the attached devices and what the rest of
// the program reads: the keyboard variant and mouse model (kept after the
// device leaves), the presence codes the update window shows, and the HID
// version numbers the update service compares. Written by the attach threads,
// read anywhere, so every field is atomic.

#include <atomic>
#include <cstdint>

namespace quillon::attach {

// keyboardPresent: 0 none, 1 RGB, 2 one-colour, 3 membrane.
// mousePresent: 0 none (also a model 1 mouse), 1 model 0, 2 model 2.
struct DeviceIdentity {
    std::atomic<std::uint8_t> keyboardVariant{0};
    std::atomic<std::uint8_t> keyboardPresent{0};
    std::atomic<std::uint16_t> keyboardFirmwareVersion{0};
    std::atomic<std::uint8_t> mouseModel{0};
    std::atomic<std::uint8_t> mousePresent{0};
    std::atomic<std::uint16_t> mouseFirmwareVersion{0};
};

constexpr std::uint8_t keyboardPresentCode(std::uint8_t variant) {
    return static_cast<std::uint8_t>(variant + 1);
}
// Model 1 has no views of its own and counts as no mouse for the update window.
constexpr std::uint8_t mousePresentCode(std::uint8_t model) {
    return model == 0 ? 1 : model == 2 ? 2 : 0;
}

}  // namespace quillon::attach
