#include "update/startup_check.h"

#include <algorithm>

#include "platform/debug_output.h"
#include "update/version_numbers.h"

namespace quillon::update {

namespace {

bool newer(int installed, std::optional<int> newest, int limit) {
    platform::debugOutput("update compare " + std::to_string(installed) + " " +
                          (newest ? std::to_string(*newest) : std::string("none")));
    return newest && installed < *newest && *newest < limit;
}

void addDevice(std::vector<ProductVersions>& lines, const UpdateService& service,
               FirmwareSource source, std::uint8_t present, std::uint16_t hidVersion,
               std::stop_token stop) {
    const auto product = presentProduct(source, present);
    if (!product)
        return;
    const auto newest = service.queryVersionNumber(productEntry(*product).commandType, stop);
    const bool known = newest && *newest <= kFirmwareVersionLimit;
    lines.push_back({*product, "V" + firmwareVersionText(hidVersion),
                     known ? versionLabel(std::to_string(*newest)) : "unknown",
                     newer(firmwareNumber(hidVersion), newest, kFirmwareVersionLimit)});
}

}  // namespace

std::vector<ProductVersions> checkVersions(const UpdateService& service,
                                           std::string_view installedVersion,
                                           const AttachedFirmware& devices, std::stop_token stop) {
    std::vector<ProductVersions> lines;
    const auto text =
        service.queryVersionText(productEntry(UpdateProduct::software).commandType, stop);
    ProductVersions software{UpdateProduct::software, "V" + std::string(installedVersion),
                             "unknown", false};
    if (text) {
        if (leadingNumber(*text) > 0)
            software.newest = "V" + *text;
        software.newer =
            newer(dottedNumber(installedVersion), dottedNumber(*text), kSoftwareVersionLimit);
    } else {
        software.newer = newer(dottedNumber(installedVersion), std::nullopt, kSoftwareVersionLimit);
    }
    lines.push_back(std::move(software));
    addDevice(lines, service, FirmwareSource::keyboard, devices.keyboardPresent,
              devices.keyboardFirmwareVersion, stop);
    addDevice(lines, service, FirmwareSource::mouse, devices.mousePresent,
              devices.mouseFirmwareVersion, stop);
    return lines;
}

bool startupCheckFindsUpdate(const UpdateService& service, std::string_view installedVersion,
                             const AttachedFirmware& devices, std::stop_token stop) {
    const auto lines = checkVersions(service, installedVersion, devices, stop);
    return !stop.stop_requested() &&
           std::any_of(lines.begin(), lines.end(), [](const auto& l) { return l.newer; });
}

}  // namespace quillon::update
