#pragma once

// One top-level collection of one HID interface as the enumeration found it:
// where it is and who it is, so that a caller can pick its interface without
// opening the others.

#include <cstdint>
#include <optional>
#include <string>

namespace quillon::platform {

struct HidInterface {
    std::string node;  // "/dev/hidrawN" for the system's devices
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::optional<std::uint8_t> interfaceNumber;  // USB interfaces only
    std::uint16_t collectionIndex = 0;            // among the node's top-level collections
    std::uint16_t collectionCount = 1;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    // Report lengths include the report id byte.
    std::uint16_t inputReportLength = 0;
    std::uint16_t outputReportLength = 0;
    std::uint16_t featureReportLength = 0;

    // 1-based when the node holds several collections, 0 for its only one.
    std::uint32_t collectionNumber() const {
        return collectionCount > 1 ? collectionIndex + 1u : 0u;
    }

    bool operator==(const HidInterface&) const = default;
};

}  // namespace quillon::platform
