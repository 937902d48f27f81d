#pragma once

// How long each lighting thread pauses before a generator call: one row per
// mode, one column per speed (0 fastest), in milliseconds; plus the extra
// pauses some effects take before their generator.

#include <array>
#include <cstddef>
#include <cstdint>

namespace quillon::lighting {

enum class LightingKind : std::uint8_t {
    rgbKeyboard,
    oneColourKeyboard,
    membraneKeyboard,
    mouse,
    mousepad,
    sync,
};

inline constexpr std::size_t kSpeedCount = 15;
using TimingRow = std::array<std::uint8_t, kSpeedCount>;

namespace detail {
inline constexpr TimingRow kStatic{2, 13, 17, 21, 24, 27, 30, 33, 36, 39, 42, 45, 48, 51, 54};
inline constexpr TimingRow kBreath{9, 13, 17, 21, 24, 27, 30, 33, 36, 39, 42, 45, 48, 51, 54};
inline constexpr TimingRow kFastStart{3, 13, 17, 21, 25, 29, 33, 37, 41, 45, 49, 53, 57, 61, 65};
inline constexpr TimingRow kShortEnd{9, 13, 17, 21, 25, 29, 33, 37, 41, 45, 49, 53, 57, 61, 63};
inline constexpr TimingRow kCommon{9, 13, 17, 21, 25, 29, 33, 37, 41, 45, 49, 53, 57, 61, 65};
inline constexpr TimingRow kMouseWave{5, 10, 17, 21, 25, 29, 33, 37, 41, 45, 49, 53, 57, 61, 63};
}  // namespace detail

// Every keyboard variant uses this table, indexed by the keyboard's mode.
inline constexpr std::array<TimingRow, 16> KeyboardTimingTable{
    detail::kStatic,    detail::kBreath,   detail::kCommon,   detail::kCommon,
    detail::kFastStart, detail::kCommon,   detail::kCommon,   detail::kFastStart,
    detail::kCommon,    detail::kCommon,   detail::kShortEnd, detail::kCommon,
    detail::kCommon,    detail::kShortEnd, detail::kCommon,   detail::kShortEnd,
};

inline constexpr std::array<TimingRow, 9> MouseTimingTable{
    detail::kCommon, detail::kCommon, detail::kMouseWave, detail::kCommon, detail::kCommon,
    detail::kCommon, detail::kCommon, detail::kCommon,    detail::kCommon,
};

inline constexpr std::array<TimingRow, 9> MousepadTimingTable{
    detail::kCommon, detail::kCommon, detail::kCommon, detail::kCommon, detail::kCommon,
    detail::kCommon, detail::kCommon, detail::kCommon, detail::kCommon,
};

// A mode without a timing row pauses this long and sends nothing. Mouse and
// mousepad mode 9 (listed, but without a row) take the mouse's 200 ms too.
inline constexpr int kUntimedPauseMs = 100;
inline constexpr int kUntimedPointerPauseMs = 200;

// The pause of one pass before the generator; speed above 14 counts as 14.
int framePauseMs(LightingKind kind, std::uint8_t mode, std::uint8_t speed);

// The extra pause a mode takes right before its generator (0 for most).
int extraPauseMs(LightingKind kind, std::uint8_t mode, std::uint8_t speed);

}  // namespace quillon::lighting
