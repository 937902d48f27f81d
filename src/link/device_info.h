#pragma once

// The 31 bytes CMD_READ_INFO answers with (answer bytes 8..38). Only a few
// bytes have a meaning the program relies on; the rest is kept as read.

#include <array>
#include <cstddef>
#include <cstdint>

namespace quillon::link {

inline constexpr std::size_t kDeviceInfoSize = 31;

struct DeviceInfo {
    std::array<std::uint8_t, kDeviceInfoSize> bytes{};

    // Keyboards: number of keys; the key-map block is 3 bytes per key.
    static constexpr std::size_t kKeyCount = 5;
    // Size of the macro memory in units of 128 bytes.
    static constexpr std::size_t kMacroMemoryUnits = 6;
    // Mice: bytes 9..14 describe the sensor (read by the mouse performance code).
    static constexpr std::size_t kMouseSensorFirst = 9;
    static constexpr std::size_t kMouseSensorLast = 14;

    std::uint8_t keyCount() const { return bytes[kKeyCount]; }
    std::size_t macroMemoryBytes() const { return std::size_t(bytes[kMacroMemoryUnits]) * 128; }
};
static_assert(sizeof(DeviceInfo) == kDeviceInfoSize);

}  // namespace quillon::link
