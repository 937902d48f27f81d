#pragma once

// The one check at start-up: is there newer software, or newer firmware for
// an attached device? Software counts only when the service's number is below
// 500, firmware only below 300, so a server version like 1.0.10 (1010) never
// asks the user to update.

#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "update/update_products.h"
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

// One product's versions as the check saw them.
struct ProductVersions {
    UpdateProduct product;
    std::string installed;  // "V3.0.0", "V1.0.5"
    std::string newest;     // the same form, or "unknown"
    bool newer = false;     // within the limits and above the installed version
};

// The software first, then the attached keyboard and mouse that have an update product.
std::vector<ProductVersions> checkVersions(const UpdateService& service,
                                           std::string_view installedVersion,
                                           const AttachedFirmware& devices,
                                           std::stop_token stop = {});

// True when the user should be told (the update window opened).
bool startupCheckFindsUpdate(const UpdateService& service, std::string_view installedVersion,
                             const AttachedFirmware& devices, std::stop_token stop = {});

}  // namespace quillon::update
