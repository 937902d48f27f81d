#include "lighting/custom_paint.h"

#include <algorithm>

#include "lighting/key_layout_tables.h"

namespace quillon::lighting {

namespace {

constexpr std::uint8_t kLevelLit = 0xFF;

void setEntry(CustomSet& set, std::size_t k, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    set[3 * k] = r;
    set[3 * k + 1] = g;
    set[3 * k + 2] = b;
}

void paintEntry(CustomColourStore& store, std::size_t k) {
    if (store.brushOn == 1) {
        setEntry(store.current(), k, store.paintRed, store.paintGreen, store.paintBlue);
    } else {
        setEntry(store.current(), k, 0, 0, 0);
    }
}

}  // namespace

int membraneRegionOf(std::size_t key) {
    for (std::size_t r = 0; r < kRegionCount; ++r) {
        for (std::uint8_t k : MembraneRegions[r]) {
            if (k != kNoKey && k == key)
                return static_cast<int>(r);
        }
    }
    return -1;
}

bool paintKey(CustomColourStore& store, LightingKind variant, std::size_t control) {
    if (control >= kKeyControlCount)
        return false;
    switch (variant) {
        case LightingKind::rgbKeyboard: {
            const std::uint8_t k = LedIndexTable[control];
            if (k == kNoKey)
                return false;
            paintEntry(store, k);
            return true;
        }
        case LightingKind::oneColourKeyboard: {
            const std::uint8_t k = OneColourLedIndexTable[control];
            if (k == kNoKey)
                return false;
            store.current()[k] = store.brushOn == 1 ? kLevelLit : 0;
            return true;
        }
        case LightingKind::membraneKeyboard: {
            const int region = membraneRegionOf(MembraneClickMap[control]);
            if (region < 0)
                return false;
            for (std::uint8_t k : MembraneRegions[static_cast<std::size_t>(region)]) {
                if (k != kNoKey)
                    paintEntry(store, k);
            }
            return true;
        }
        default:
            return false;
    }
}

void lightUnlitKeys(CustomColourStore& store, LightingKind variant) {
    CustomSet& set = store.current();
    if (variant == LightingKind::oneColourKeyboard) {
        std::replace(set.begin(), set.begin() + kKeyControlCount, std::uint8_t{0}, kLevelLit);
        return;
    }
    for (std::size_t k = 0; k < kKeyControlCount; ++k) {
        if (set[3 * k] == 0 && set[3 * k + 1] == 0 && set[3 * k + 2] == 0) {
            setEntry(set, k, store.paintRed, store.paintGreen, store.paintBlue);
        }
    }
}

void clearAllKeys(CustomColourStore& store, LightingKind variant) {
    CustomSet& set = store.current();
    const std::size_t bytes =
        variant == LightingKind::oneColourKeyboard ? kKeyControlCount : 3 * kKeyControlCount;
    std::fill_n(set.begin(), bytes, std::uint8_t{0});
}

}  // namespace quillon::lighting
