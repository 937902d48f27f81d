#pragma once

// Who a hidraw node is, read from sysfs through udev: no access to the node
// itself is needed.

#include <libudev.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/hid/hid_backend.h"

namespace quillon::platform {

struct HidrawIdentity {
    HidAttributes attributes;
    std::optional<std::uint8_t> interfaceNumber;  // USB interfaces only
};

// HID_ID of a hid device's uevent, "0003:00000C45:00008611" (bus:vendor:product).
struct HidId {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};
std::optional<HidId> parseHidId(std::string_view text);

// A sysfs attribute holding a hexadecimal number ("0105" for bcdDevice).
std::optional<std::uint32_t> parseSysfsHex(std::string_view text);

// Identity of the hidraw device `node`: ids from its hid parent, the version
// from the usb_device parent (0 when there is none), the interface number from
// the usb_interface parent. nullopt when the node has no hid parent.
std::optional<HidrawIdentity> readHidrawIdentity(udev_device* node);

// The report descriptor of the hidraw device `node` from sysfs.
bool readReportDescriptorBytes(udev_device* node, std::vector<std::uint8_t>& out);

}  // namespace quillon::platform
