#include "update/startup_check.h"

#include <string>

#include "platform/debug_output.h"
#include "update/update_products.h"
#include "update/version_numbers.h"

namespace quillon::update {

namespace {

bool newer(int installed, std::optional<int> newest, int limit) {
    platform::debugOutput("update compare " + std::to_string(installed) + " " +
                          (newest ? std::to_string(*newest) : std::string("none")));
    return newest && installed < *newest && *newest < limit;
}

bool deviceNewer(const UpdateService& service, FirmwareSource source, std::uint8_t present,
                 std::uint16_t hidVersion, std::stop_token stop) {
    const auto product = presentProduct(source, present);
    if (!product)
        return false;
    return newer(firmwareNumber(hidVersion),
                 service.queryVersionNumber(productEntry(*product).commandType, stop),
                 kFirmwareVersionLimit);
}

}  // namespace

bool startupCheckFindsUpdate(const UpdateService& service, std::string_view installedVersion,
                             const AttachedFirmware& devices, std::stop_token stop) {
    bool notify =
        newer(dottedNumber(installedVersion),
              service.queryVersionNumber(productEntry(UpdateProduct::software).commandType, stop),
              kSoftwareVersionLimit);
    notify |= deviceNewer(service, FirmwareSource::keyboard, devices.keyboardPresent,
                          devices.keyboardFirmwareVersion, stop);
    notify |= deviceNewer(service, FirmwareSource::mouse, devices.mousePresent,
                          devices.mouseFirmwareVersion, stop);
    return notify && !stop.stop_requested();
}

}  // namespace quillon::update
