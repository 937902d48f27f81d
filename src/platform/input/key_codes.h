#pragma once

// The key codes our input backends deliver (evdev codes, and X11 keycodes of
// the evdev-based X servers, which are the evdev code + 8) turned into the
// virtual-key codes the key-name table is keyed by. The keypad's Enter has its
// own code 0x101, so it is told apart from the main Enter (0x0D).

#include <cstdint>
#include <optional>

namespace quillon::platform {

// nullopt for a key the table has no virtual-key code for.
std::optional<std::uint16_t> virtualKeyFromEvdev(std::uint16_t evdevCode);
std::optional<std::uint16_t> virtualKeyFromX11Keycode(std::uint32_t keycode);

}  // namespace quillon::platform
