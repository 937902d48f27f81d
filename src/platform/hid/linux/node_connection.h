#pragma once

// Turns an opened hidraw node into the connection for the one top-level
// collection that an enumerated interface names.

#include <cstdint>
#include <memory>
#include <span>

#include "platform/hid/hid_backend.h"
#include "platform/hid/linux/hidraw_identity.h"

namespace quillon::platform {

// Takes ownership of `fd` in every case. nullptr when the node is no longer
// the device the interface names (another device took its number), when its
// descriptor does not parse, or when it has no such collection.
std::unique_ptr<HidConnection> connectCollection(int fd, const HidInterface& iface,
                                                 const HidrawIdentity& identity,
                                                 std::span<const std::uint8_t> descriptor);

// Whether the node's identity is still that of the device the interface names.
bool isSameDevice(const HidInterface& iface, const HidrawIdentity& identity);

}  // namespace quillon::platform
