#pragma once

// What an effect generator gets for one tick, and what it gives back.
//
// A generator is a plain function: it reads the record snapshot, advances its
// scratch state, fills `frame` (zeroed before the call; `frameLength` preset
// to the device's frame size) and the screen mirror, and says how its frame is
// to be sent. It allocates nothing and never calls into the GUI. Generators
// that send more than one frame per tick (synchronised lighting) or pause in
// the middle of a tick do so through `host`.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>

#include "lighting/effect_state.h"
#include "lighting/lighting_record.h"
#include "lighting/lighting_settings.h"
#include "lighting/screen_mirror.h"
#include "link/device_catalogue.h"
#include "link/device_models.h"

namespace quillon::lighting {

inline constexpr std::size_t kMaxFrameBytes = 378;
using Frame = std::array<std::uint8_t, kMaxFrameBytes>;

enum class SendRule : std::uint8_t {
    none,             // nothing to send this tick
    ifOutputEnabled,  // the usual rule: only while the system is not suspending
    always,           // effects that send even during suspend
};

// The thread that runs a generator.
class EffectHost {
  public:
    virtual ~EffectHost() = default;
    // Pauses the calling thread; returns early (false) when it is being stopped.
    virtual bool sleepMs(int ms) = 0;
    virtual bool outputEnabled() const = 0;
    // Sends one extra frame to a device kind, ignoring the result as every
    // frame send does.
    virtual void send(link::DeviceKind kind, std::span<const std::uint8_t> frame) = 0;
    // Milliseconds of a monotonic clock (click flashes time themselves).
    virtual std::uint32_t nowMs() const = 0;
    // Whether a device takes part in synchronised lighting: its link's flag is
    // set and the device is attached.
    virtual bool takesPart(link::DeviceKind kind) const = 0;
    // The variant of the attached keyboard.
    virtual link::KeyboardVariant keyboardVariant() const = 0;

  protected:
    EffectHost() = default;
    EffectHost(const EffectHost&) = default;
    EffectHost& operator=(const EffectHost&) = default;
};

// Every generator's state, in one place, owned by the lighting engine.
struct EffectState {
    KeyboardScratch keyboard;
    MembraneScratch membrane;
    MouseScratch mouse;
    MousepadScratch mousepad;
    SyncScratch sync;
};

// The on-screen pictures of the three devices.
struct DeviceMirrors {
    ScreenMirror keyboard{126};
    ScreenMirror mouse{20};
    ScreenMirror mousepad{15};
};

// Re-entry guards of the effects that have one ("busy bytes").
struct BusyBytes {
    std::atomic<bool> starlight{false};
    std::atomic<bool> rings{false};
    std::atomic<bool> pulseWave{false};
    std::atomic<bool> oneColourStarlight{false};
};

// What the mouse, mousepad and membrane generators take from other threads:
// the mouse event thread's click pulses (event 0x0403), the keyboard view's
// direction clicks that restart the membrane stack, and which mouse LED
// controls the mouse view shows.
struct EffectSignals {
    std::atomic<bool> mouseClickPulse{false};
    std::atomic<bool> mousepadClickPulse{false};
    std::atomic<bool> membraneDirectionChanged{false};
    std::atomic<std::uint32_t> mouseControlsVisible{0xFFFFFu};  // bit i: control i
};

struct EffectContext {
    LightingRecord record;  // snapshot taken at the start of the tick
    EffectState& state;
    BusyBytes& busy;
    std::atomic<std::uint8_t>& frameTick;
    // Snapshot of the current custom set (custom modes read it every tick).
    const CustomSet& customSet;
    Frame& frame;
    std::size_t frameLength;
    ScreenMirror& mirror;  // the picture of the generator's own device
    DeviceMirrors& mirrors;
    // For the generators that write an effect byte of their device's record.
    LightingSettings& settings;
    EffectHost& host;
    EffectSignals* signals = nullptr;  // none: no clicks, no direction changes
};

using EffectGenerator = SendRule (*)(EffectContext&);

// The generators of one device kind, indexed by mode; a null entry or a mode
// past the end has no generator.
using GeneratorTable = std::span<const EffectGenerator>;

}  // namespace quillon::lighting
