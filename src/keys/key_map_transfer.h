#pragma once

// Sending key maps (and the macro table before them) to a device's onboard
// key-map slots. Worker thread or CLI: everything here talks to the device
// and waits for it.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "keys/key_map.h"
#include "link/device_link.h"
#include "link/status.h"

namespace quillon::keys {

// Begin, the bytes to key-map slot `slot` in 56-byte chunks at offsets
// slot * 126 + position, End. Stops at the first exchange that fails (End is
// still sent to close the sequence) and gives its status.
link::Status downloadKeyMap(link::DeviceLink& link, std::span<const std::uint8_t> bytes, int slot);

struct KeySaveRequest {
    KeyMap map{};
    std::size_t byteCount = 0;  // the bytes that matter: 3 x key slots
    int slot = 0;               // the active onboard slot
    // The macro table image to write first; empty when the kind has no macros.
    std::vector<std::uint8_t> macroImage;
};

// The macro image (when there is one) framed by Begin and End, then the key
// map. Stops at the first failed exchange.
link::Status saveKeysToDevice(link::DeviceLink& link, const KeySaveRequest& request);

// Checked before anything is sent: nullopt when the image fits the device's
// macro memory, else how many 4-byte actions have to go.
std::optional<int> macroActionsToRemove(std::size_t imageSize, std::size_t memoryBytes);

}  // namespace quillon::keys
