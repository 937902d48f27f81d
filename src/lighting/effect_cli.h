#pragma once

// The "effect" commands of quillonctl:
//
//   effect render --device keyboard --mode M [--speed S --brightness B
//       --direction D --multicolour 0|1 --colour RRGGBB --custom-set FILE]
//       --frames N [--seed X]
//   --device also takes keyboard-onecolour, keyboard-membrane, mouse,
//       mousepad and sync (--keyboard rgb|membrane picks sync's keyboard);
//       --click-at TICK (repeatable) delivers a mouse click before that tick.
//       A sync line holds the keyboard, mouse and mousepad frames of one tick,
//       separated by single spaces. Time-based steps run on a simulated clock
//       that advances by each tick's pause (table time plus extra pause).
//   effect play   (the same options) — streams the frames to a device link at
//       the keyboard thread's pace
//
// render prints one line per generator call: the frame bytes in lower-case hex.
// It starts from a freshly started program's state right after the mode was
// selected: scratch state reset, the mode's seeding step run, frameTick 0.

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
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
    std::optional<std::uint32_t> seed;
    std::optional<CustomSet> customSet;
    LightingKind kind = LightingKind::rgbKeyboard;
    std::uint8_t syncKeyboardVariant = 0;  // sync: 0 RGB or 2 membrane keyboard
    std::vector<int> clickTicks;           // generator calls preceded by a click
};

// Parses the options after "effect render" / "effect play"; on failure writes
// the reason to err and returns nullopt.
std::optional<EffectOptions> parseEffectOptions(std::span<const std::string> args,
                                                std::ostream& err);

// "effect render": exit code 0 on success, 2 for bad arguments.
int renderEffect(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// "effect play": sends --frames frames to `keyboard` at the keyboard thread's
// pace. Exit code 0 when every pass ran, 1 when the keyboard is not connected,
// 2 for bad arguments.
int playEffect(std::span<const std::string> args, link::DeviceLink& keyboard, std::ostream& out,
               std::ostream& err);

}  // namespace quillon::lighting
