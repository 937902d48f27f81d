#include "lighting/effect_families.h"

#include <array>

#include "lighting/membrane_effects.h"
#include "lighting/mode_numbers.h"
#include "lighting/mouse_effects.h"
#include "lighting/mousepad_effects.h"
#include "lighting/onecolour_effects.h"
#include "lighting/rgb_effects.h"
#include "lighting/sync_effects.h"

namespace quillon::lighting {

namespace {

constexpr std::array<EffectGenerator, 16> kRgbGenerators{
    rgbStatic,    rgbBreathing,  rgbWave, rgbSpectrum, rgbSpiral, rgbRipple, rgbTrail,     rgbRain,
    rgbStarlight, rgbPulseField, rgbOff,  rgbCustom,   rgbTrail,  rgbRings,  rgbPulseWave, rgbTrail,
};

void selectRgb(EffectState& s, std::uint8_t mode, std::uint8_t) {
    resetKeyboardScratch(s.keyboard);
    seedRgbMode(s.keyboard, mode);
}
void seedRgb(EffectState& s, std::uint8_t mode, std::uint8_t) {
    if (mode == kRgbRippleMode)
        seedRgbMode(s.keyboard, mode);
}

// The one-colour and membrane keyboards share the keyboard scratch state and
// its reset; the membrane stack keeps its own state across selections.
void selectOneColour(EffectState& s, std::uint8_t mode, std::uint8_t) {
    resetKeyboardScratch(s.keyboard);
    seedOneColourMode(s.keyboard, mode);
}
void selectMembrane(EffectState& s, std::uint8_t, std::uint8_t) {
    resetKeyboardScratch(s.keyboard);
}
void selectMouse(EffectState& s, std::uint8_t mode, std::uint8_t direction) {
    resetMouseScratch(s.mouse);
    seedMouseMode(s.mouse, mode, direction);
}
void selectMousepad(EffectState& s, std::uint8_t mode, std::uint8_t) {
    resetMousepadScratch(s.mousepad);
    seedMousepadMode(s.mousepad, mode);
}
void selectSync(EffectState&, std::uint8_t, std::uint8_t) {}
void seedNothing(EffectState&, std::uint8_t, std::uint8_t) {}

const std::array<EffectFamily, 6> kFamilies{{
    {LightingKind::rgbKeyboard, kRgbGenerators, kRgbFrameBytes, selectRgb, seedRgb},
    {LightingKind::oneColourKeyboard, oneColourGenerators(), 126, selectOneColour, seedNothing},
    {LightingKind::membraneKeyboard, membraneGenerators(), 36, selectMembrane, seedNothing},
    {LightingKind::mouse, mouseGenerators(), 60, selectMouse, seedNothing},
    {LightingKind::mousepad, mousepadGenerators(), 45, selectMousepad, seedNothing},
    {LightingKind::sync, syncGenerators(), 0, selectSync, seedNothing},
}};

}  // namespace

const EffectFamily& effectFamily(LightingKind kind) {
    return kFamilies[static_cast<std::size_t>(kind)];
}

LightingKind keyboardKind(link::KeyboardVariant variant) {
    switch (variant) {
        case link::KeyboardVariant::oneColour:
            return LightingKind::oneColourKeyboard;
        case link::KeyboardVariant::membrane:
            return LightingKind::membraneKeyboard;
        case link::KeyboardVariant::rgb:
            break;
    }
    return LightingKind::rgbKeyboard;
}

EffectGenerator findGenerator(const EffectFamily& family, std::uint8_t mode) {
    return mode < family.generators.size() ? family.generators[mode] : nullptr;
}

}  // namespace quillon::lighting
