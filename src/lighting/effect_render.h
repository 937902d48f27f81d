#pragma once

// Running a lighting effect outside the program, for tools and tests:
//
// render: the frames an effect produces, from a freshly started program's
//   state right after the mode was selected (scratch state reset, the mode's
//   seeding step run, frameTick 0). Time-based steps run on a simulated clock
//   that advances by each tick's pause (table time plus extra pause).
// play: the keyboard thread's passes against a real or emulated link, at the
//   thread's pace.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "lighting/lighting_record.h"
#include "lighting/timing_tables.h"

namespace quillon::link {
struct DeviceLink;
}

namespace quillon::lighting {

struct EffectOptions {
    LightingRecord record{0, 14, 0, 1, 0, 0xFF, 0x00, 0x00};
    int frames = 0;
    std::optional<std::uint32_t> seed;  // nullopt: a random seed
    std::optional<CustomSet> customSet;
    LightingKind kind = LightingKind::rgbKeyboard;
    std::uint8_t syncKeyboardVariant = 0;  // sync: 0 RGB or 2 membrane keyboard
    std::vector<int> clickTicks;           // generator calls preceded by a click
};

// Receives what render produces.
class RenderedFrames {
  public:
    virtual ~RenderedFrames() = default;
    // One frame the effect's device was sent (not sync); a tick may send none.
    virtual void frame(std::span<const std::uint8_t> bytes) = 0;
    // Sync: per tick, the last frame each device got in it (empty when none).
    virtual void syncTick(std::span<const std::uint8_t> keyboard,
                          std::span<const std::uint8_t> mouse,
                          std::span<const std::uint8_t> mousepad) = 0;
};

// Calls the mode's generator `options.frames` times.
void renderEffect(const EffectOptions& options, RenderedFrames& out);

enum class [[nodiscard]] PlayResult{
    played,
    notConnected,       // the keyboard link is not connected
    notPlayableDevice,  // only the RGB keyboard's effects are played
};

// Sends `options.frames` passes to `keyboard` at the keyboard thread's pace.
PlayResult playEffect(const EffectOptions& options, link::DeviceLink& keyboard);

}  // namespace quillon::lighting
