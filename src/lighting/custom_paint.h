#pragma once

// Painting keys of the keyboard's custom mode into the current custom set.
// The set's layout depends on the keyboard variant: RGB entries are indexed
// by LED, membrane entries by key control, one-colour entries are one level
// byte per LED.

#include <cstddef>

#include "lighting/lighting_record.h"
#include "lighting/timing_tables.h"

namespace quillon::lighting {

// Paints (brushOn 1) or clears (brushOn 0) key control `control`; on the
// membrane keyboard every key of the control's region. False when the click
// changes nothing (a control without LED, outside every region or the table).
bool paintKey(CustomColourStore& store, LightingKind variant, std::size_t control);

// Every unlit key takes the paint colour (one-colour: full level); lit keys
// keep their colour.
void lightUnlitKeys(CustomColourStore& store, LightingKind variant);

// Every key of the current set goes dark.
void clearAllKeys(CustomColourStore& store, LightingKind variant);

// The membrane region that holds key index k (first match in region order),
// or -1.
int membraneRegionOf(std::size_t key);

}  // namespace quillon::lighting
