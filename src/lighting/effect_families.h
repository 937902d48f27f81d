#pragma once

// The generators of each device kind (and of synchronised lighting), indexed
// by mode, with the frame size of the kind and what a mode selection does to
// the kind's scratch state.

#include <cstddef>
#include <cstdint>

#include "lighting/effect_context.h"
#include "lighting/timing_tables.h"

namespace quillon::lighting {

struct EffectFamily {
    LightingKind kind;
    GeneratorTable generators;
    std::size_t frameBytes;
    // Runs on the generator's own thread before the first tick after a mode
    // selection (or a mouse direction click): resets the scratch state and runs
    // the mode's seeding step. `direction` is the record's at that tick.
    void (*selectMode)(EffectState& state, std::uint8_t mode, std::uint8_t direction);
    // Runs when the view is shown in a mode that seeds without a reset.
    void (*seedMode)(EffectState& state, std::uint8_t mode, std::uint8_t direction);
};

const EffectFamily& effectFamily(LightingKind kind);

// The family a keyboard variant uses.
LightingKind keyboardKind(link::KeyboardVariant variant);

// The generator of a mode, or nullptr when the mode has none.
EffectGenerator findGenerator(const EffectFamily& family, std::uint8_t mode);

}  // namespace quillon::lighting
