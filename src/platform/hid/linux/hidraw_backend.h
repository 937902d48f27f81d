#pragma once

// The HID backend over the hidraw nodes of the system: enumeration and
// hotplug through libudev, identity and report descriptors from sysfs,
// transfers on the node (see hidraw_connection.h). Any thread may call any of
// its operations: each call takes its own udev context.

#include <memory>

#include "platform/hid/hid_backend.h"

namespace quillon::platform {

std::unique_ptr<HidBackend> makeHidrawBackend();

}  // namespace quillon::platform
