#pragma once

// The interfaces an enumeration reports: one per top-level collection of
// every hidraw node, in a stable order.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/hid/hid_interface.h"
#include "platform/hid/linux/hidraw_identity.h"

namespace quillon::platform {

// One hidraw node as the enumeration found it.
struct HidrawNode {
    std::string node;  // "/dev/hidrawN"
    HidrawIdentity identity;
    std::vector<std::uint8_t> descriptor;
};

// Ordered by node number (hidraw10 after hidraw9), then collection. A node
// whose name is not "/dev/hidrawN", or whose descriptor does not parse or
// holds no collection, has no interface.
std::vector<HidInterface> listInterfaces(std::span<const HidrawNode> nodes);

}  // namespace quillon::platform
