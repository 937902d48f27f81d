#pragma once

// Every supported product, in one table. Nothing else in the program spells
// a product id.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quillon::link {

enum class DeviceKind : std::uint8_t { keyboard, mouse, mousepad };

inline constexpr std::uint16_t kVendorId = 0x0C45;
// The command interface of every product: a vendor-defined top-level collection.
inline constexpr std::uint16_t kCommandUsagePage = 0xFF1C;
inline constexpr std::uint16_t kCommandUsage = 0x0092;
// The consumer-control collection the event threads read.
inline constexpr std::uint16_t kEventUsagePage = 0x000C;
inline constexpr std::uint16_t kEventUsage = 0x0001;

struct Product {
    std::uint16_t productId;
    DeviceKind kind;
    // keyboardVariant (0 RGB, 1 one-colour, 2 membrane) or mouseModel (0, 1, 2); 0 for the
    // mousepad.
    std::uint8_t variant;
    std::string_view name;
    bool hasEventInterface;  // exposes the consumer-control collection the event threads use
};

inline constexpr std::array<Product, 7> kProducts{{
    {0x8611, DeviceKind::keyboard, 0, "RGB mechanical keyboard", true},
    {0x6556, DeviceKind::keyboard, 1, "One-colour mechanical keyboard", false},
    {0x6523, DeviceKind::keyboard, 2, "Membrane keyboard with lighting regions", false},
    {0x5523, DeviceKind::mouse, 0, "Gaming mouse", true},
    {0x6656, DeviceKind::mouse, 1, "Gaming mouse (second edition)", true},
    {0x764D, DeviceKind::mouse, 2, "Gaming mouse (model 2)", true},
    {0x5104, DeviceKind::mousepad, 0, "Lighted mousepad", false},
}};

// The product id each kind's link accepts first.
constexpr std::uint16_t primaryProductId(DeviceKind kind) {
    switch (kind) {
        case DeviceKind::keyboard:
            return 0x8611;
        case DeviceKind::mouse:
            return 0x5523;
        case DeviceKind::mousepad:
            return 0x5104;
    }
    return 0;
}

constexpr const Product* findProduct(std::uint16_t vendorId, std::uint16_t productId) {
    if (vendorId != kVendorId)
        return nullptr;
    for (const Product& p : kProducts)
        if (p.productId == productId)
            return &p;
    return nullptr;
}

constexpr bool acceptsProduct(DeviceKind kind, std::uint16_t vendorId, std::uint16_t productId) {
    const Product* p = findProduct(vendorId, productId);
    return p != nullptr && p->kind == kind;
}

constexpr std::string_view kindName(DeviceKind kind) {
    switch (kind) {
        case DeviceKind::keyboard:
            return "keyboard";
        case DeviceKind::mouse:
            return "mouse";
        case DeviceKind::mousepad:
            return "mousepad";
    }
    return "";
}

std::optional<DeviceKind> parseKindName(std::string_view name);

}  // namespace quillon::link
