#pragma once

// The one check at start-up: is there newer software, or newer firmware for
// an attached device? Software counts only when the service's number is below
// 500, firmware only below 300, so a server version like 1.0.10 (1010) never
// asks the user to update.

#include <cstdint>
#include <stop_token>
#include <string_view>

#include "update/update_service.h"

namespace quillon::update {

// The attached devices as attach keeps them (presence codes of
// attach/device_identity.h, HID version numbers).
struct AttachedFirmware {
    std::uint8_t keyboardPresent = 0;
    std::uint16_t keyboardFirmwareVersion = 0;
    std::uint8_t mousePresent = 0;
    std::uint16_t mouseFirmwareVersion = 0;
};

// True when the user should be told (the update window opened).
bool startupCheckFindsUpdate(const UpdateService& service, std::string_view installedVersion,
                             const AttachedFirmware& devices, std::stop_token stop = {});

}  // namespace quillon::update
