#pragma once

// What the emulator needs to know to play one product: its catalogue entry and
// the few numbers in which the products' firmware differs. One firmware model
// serves every product, parameterised by this description.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "emu/factory_keymap.h"
#include "link/device_catalogue.h"
#include "link/device_info.h"

namespace quillon::emu {

// Mouse sensor data reported in DeviceInfo bytes 9..14.
struct SensorDescription {
    std::uint16_t sensorId = 0;
    std::uint8_t dpiStep = 0;       // DPI per level
    std::uint8_t highestLevel = 0;  // slider maximum
    std::uint16_t lowestDpi = 0;
};

// The lighting a product leaves the factory with (a LightingRecord).
struct FactoryLighting {
    std::uint8_t mode = 0;
    std::uint8_t brightness = 14;
    std::uint8_t speed = 7;
    std::uint8_t direction = 1;
    std::uint8_t multiColour = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct ProductDescription {
    link::Product product;
    std::uint16_t versionNumber;  // HID version number (the firmware version)
    // The CMD_LED_FRAME frame sizes the product takes (0: none).
    std::array<std::uint16_t, 2> frameSizes;
    std::uint8_t macroMemoryUnits;    // DeviceInfo byte 6: macro memory in 128-byte units
    std::uint16_t patternMemorySize;  // movement-pattern memory; 0 when the product has none
    SensorDescription sensor;         // mice only
    FactoryLighting lighting;
    std::array<std::uint8_t, 6> dpiLevels;  // mice: factory levels of stages 1..6

    std::span<const FactoryKey> factoryKeys() const {
        return emu::factoryKeys(product.kind, product.variant);
    }
    // Key slots of the key map (keyboard keys, mouse buttons); 0 without key maps.
    std::size_t keySlots() const { return factoryKeys().size(); }
    bool hasKeymaps() const { return keySlots() != 0; }
    std::size_t macroMemorySize() const { return std::size_t(macroMemoryUnits) * 128; }
    std::size_t maxFrameSize() const { return std::max(frameSizes[0], frameSizes[1]); }
    bool isFrameSize(std::size_t n) const {
        return n != 0 && (n == frameSizes[0] || n == frameSizes[1]);
    }
};

inline constexpr std::uint16_t kPatternMemorySize = 3072;
inline constexpr std::size_t kSlotCount = 5;
inline constexpr std::size_t kSlotRecordStride = 64;
inline constexpr std::size_t kSlotRecordSize = 56;
inline constexpr std::size_t kSettingsAreaSize = kSlotCount * kSlotRecordStride;

// The catalogue entry of a device kind and variant; nullptr when there is none.
constexpr const link::Product* catalogueProduct(link::DeviceKind kind, std::uint8_t variant) {
    for (const link::Product& p : link::kProducts)
        if (p.kind == kind && p.variant == variant)
            return &p;
    return nullptr;
}

// The description of a catalogued product id; nullptr for anything else.
const ProductDescription* findDescription(std::uint16_t productId);
std::span<const ProductDescription> allDescriptions();

// The DeviceInfo the product answers CMD_READ_INFO with: bytes 0..1 product
// id, 2..3 firmware version, 4 kind, 5 key slots, 6 macro memory units, and
// for mice the sensor in bytes 9..14.
link::DeviceInfo makeDeviceInfo(const ProductDescription& description);

// The settings area as it leaves the factory: the active slot (0) at offset 0
// and five slot records at slot × 64.
std::array<std::uint8_t, kSettingsAreaSize> factorySettingsArea(
    const ProductDescription& description);

}  // namespace quillon::emu
