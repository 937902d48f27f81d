#pragma once

// The products the update service knows, with the command type that asks for
// each and the product code the maker's updater takes. The software's line is
// always there; a device's line exists while that device is attached
// (presence codes of attach/device_identity.h). Mouse model 1 and the
// mousepad have no update product.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillon::update {

enum class UpdateProduct : std::uint8_t {
    software,
    rgbKeyboard,
    oneColourKeyboard,
    membraneKeyboard,
    mouseModel0,
    mouseModel2,
};

enum class FirmwareSource : std::uint8_t { none, keyboard, mouse };

struct ProductEntry {
    UpdateProduct product;
    std::string_view commandType;
    std::string_view productCode;
    FirmwareSource firmware;
    std::uint8_t presentCode;  // keyboardPresent / mousePresent value that shows the line
};

inline constexpr std::array<ProductEntry, 6> kUpdateProducts{{
    {UpdateProduct::software, "Kv024", "QuillonGaming", FirmwareSource::none, 0},
    {UpdateProduct::rgbKeyboard, "Kv021", "MeridoxEliteRGB", FirmwareSource::keyboard, 1},
    {UpdateProduct::oneColourKeyboard, "Kv022", "MeridoxPro", FirmwareSource::keyboard, 2},
    {UpdateProduct::membraneKeyboard, "Kv033", "BrandorEliteRGBComboKeyboard",
     FirmwareSource::keyboard, 3},
    {UpdateProduct::mouseModel0, "Kv023", "CORVEXEliteRGB", FirmwareSource::mouse, 1},
    {UpdateProduct::mouseModel2, "Kv034", "BrandorEliteRGBComboGamingMouse", FirmwareSource::mouse,
     2},
}};

constexpr const ProductEntry& productEntry(UpdateProduct product) {
    return kUpdateProducts[static_cast<std::size_t>(product)];
}

// The device product shown for a presence code; nullopt for 0 and unknown codes.
constexpr std::optional<UpdateProduct> presentProduct(FirmwareSource source, std::uint8_t code) {
    for (const ProductEntry& e : kUpdateProducts) {
        if (e.firmware == source && source != FirmwareSource::none && e.presentCode == code)
            return e.product;
    }
    return std::nullopt;
}

}  // namespace quillon::update
