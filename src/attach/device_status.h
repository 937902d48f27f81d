#pragma once

// What is attached, which variant or model, its firmware version and its
// active settings slot, asked of the devices themselves. Reads only; writes no
// file and no setting.

#include <cstdint>
#include <optional>

#include "link/device_catalogue.h"
#include "link/report_trace.h"
#include "platform/hid/hid_backend.h"

namespace quillon::attach {

struct DeviceStatus {
    link::DeviceKind kind = link::DeviceKind::keyboard;
    bool attached = false;
    const link::Product* product = nullptr;
    std::uint16_t firmwareVersion = 0;
    // keyboardPresent or mousePresent as the update window sees it; 1 for the mousepad.
    std::uint8_t presentCode = 0;
    std::optional<int> keyCount;    // keyboards: from the information record
    std::optional<int> activeSlot;  // mouse and mousepad: byte 0 of the settings area
};

// Looks for the first attached device of `kind` and asks it; nothing is written to it.
DeviceStatus queryStatus(platform::HidBackend& backend, link::DeviceKind kind,
                         link::ReportTrace* trace = nullptr);

}  // namespace quillon::attach
