#pragma once

// The keyboard variants and mouse models the program tells apart. The numbers
// are the catalogue's variant byte, which the profile seeds and the update
// window's presence codes are derived from.

#include <cstdint>

#include "link/device_catalogue.h"

namespace quillon::link {

enum class KeyboardVariant : std::uint8_t { rgb = 0, oneColour = 1, membrane = 2 };

// The first model and model 2 have views of their own (`ms_` and `ms2_`); the
// second edition is driven like the first but shows no view.
enum class MouseModel : std::uint8_t { first = 0, secondEdition = 1, model2 = 2 };

constexpr std::uint8_t variantByte(KeyboardVariant v) {
    return static_cast<std::uint8_t>(v);
}
constexpr std::uint8_t variantByte(MouseModel m) {
    return static_cast<std::uint8_t>(m);
}

// An unknown product or byte counts as the first variant or model, as the
// lighting drives an unknown keyboard as RGB.
constexpr KeyboardVariant keyboardVariantOf(std::uint8_t variant) {
    return variant <= 2 ? static_cast<KeyboardVariant>(variant) : KeyboardVariant::rgb;
}
constexpr MouseModel mouseModelOf(std::uint8_t model) {
    return model <= 2 ? static_cast<MouseModel>(model) : MouseModel::first;
}
constexpr KeyboardVariant keyboardVariantOf(const Product* p) {
    return p != nullptr && p->kind == DeviceKind::keyboard ? keyboardVariantOf(p->variant)
                                                           : KeyboardVariant::rgb;
}
constexpr MouseModel mouseModelOf(const Product* p) {
    return p != nullptr && p->kind == DeviceKind::mouse ? mouseModelOf(p->variant)
                                                        : MouseModel::first;
}

}  // namespace quillon::link
