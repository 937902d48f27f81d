#include "lighting/effect_families.h"

#include <array>

#include "lighting/rgb_effects.h"

namespace quillon::lighting {

namespace {

constexpr std::array<EffectGenerator, 16> kRgbGenerators{
    rgbStatic, rgbBreathing, rgbWave,  rgbSpectrum,   rgbSpiral, rgbRipple,
    rgbTrail,  rgbRain,      rgbStarlight, rgbPulseField, rgbOff,    rgbCustom,
    rgbTrail,  rgbRings,     rgbPulseWave, rgbTrail,
};

void selectRgb(EffectState& s, std::uint8_t mode, std::uint8_t) {
    resetKeyboardScratch(s.keyboard);
    seedRgbMode(s.keyboard, mode);
}
void seedRgb(EffectState& s, std::uint8_t mode, std::uint8_t) {
    if (mode == 5) seedRgbMode(s.keyboard, mode);
}

// The one-colour and membrane keyboards share the keyboard scratch state and
// its reset; their generators and seeding steps are filled in here.
void selectOtherKeyboard(EffectState& s, std::uint8_t, std::uint8_t) {
    resetKeyboardScratch(s.keyboard);
}
void selectMouse(EffectState& s, std::uint8_t, std::uint8_t) { s.mouse = MouseScratch{}; }
void selectMousepad(EffectState& s, std::uint8_t, std::uint8_t) { s.mousepad = MousepadScratch{}; }
void selectSync(EffectState&, std::uint8_t, std::uint8_t) {}
void seedNothing(EffectState&, std::uint8_t, std::uint8_t) {}

const std::array<EffectFamily, 6> kFamilies{{
    {LightingKind::rgbKeyboard, kRgbGenerators, kRgbFrameBytes, selectRgb, seedRgb},
    {LightingKind::oneColourKeyboard, {}, 126, selectOtherKeyboard, seedNothing},
    {LightingKind::membraneKeyboard, {}, 36, selectOtherKeyboard, seedNothing},
    {LightingKind::mouse, {}, 60, selectMouse, seedNothing},
    {LightingKind::mousepad, {}, 45, selectMousepad, seedNothing},
    {LightingKind::sync, {}, 0, selectSync, seedNothing},
}};

}  // namespace

const EffectFamily& effectFamily(LightingKind kind) {
    return kFamilies[static_cast<std::size_t>(kind)];
}

LightingKind keyboardKind(std::uint8_t variant) {
    switch (variant) {
        case 1: return LightingKind::oneColourKeyboard;
        case 2: return LightingKind::membraneKeyboard;
        default: return LightingKind::rgbKeyboard;
    }
}

EffectGenerator findGenerator(const EffectFamily& family, std::uint8_t mode) {
    return mode < family.generators.size() ? family.generators[mode] : nullptr;
}

}  // namespace quillon::lighting
