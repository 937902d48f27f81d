#pragma once

// Everything the lighting threads and the lighting views share: the settings,
// the lighting flags of the main window, the screen
// mirrors, and the generators' state with the one function that runs a
// generator for a tick.
//
// Threads: the GUI thread edits `settings` and asks for mode selections; each
// lighting thread runs only its own kind's generators and is the only thread
// that touches that kind's scratch state.

#include <array>
#include <atomic>
#include <cstdint>

#include "lighting/device_channel.h"
#include "lighting/effect_context.h"
#include "lighting/effect_families.h"
#include "lighting/lighting_settings.h"
#include "lighting/timing_tables.h"
#include "link/device_identity.h"

namespace quillon::lighting {

inline constexpr int kDisconnectedPauseMs = 100;

// Pauses of a lighting thread; false when the thread is being stopped.
class Pacer {
  public:
    virtual ~Pacer() = default;
    [[nodiscard]] virtual bool sleepMs(int ms) = 0;
    // Waits until a device arrives or leaves or synchronised lighting starts
    // or ends for a device.
    // A pacer that cannot be told of those changes naps instead.
    [[nodiscard]] virtual bool waitForLinkChange() { return sleepMs(kDisconnectedPauseMs); }
    virtual std::uint32_t nowMs() const = 0;

  protected:
    Pacer() = default;
    Pacer(const Pacer&) = default;
    Pacer& operator=(const Pacer&) = default;
};

struct LightingChannels {
    DeviceChannel& keyboard;
    DeviceChannel& mouse;
    DeviceChannel& mousepad;
};

class LightingEngine {
  public:
    // `identity` is the program's one record of the attached devices; the
    // engine only reads it (the keyboard variant picks the generators).
    explicit LightingEngine(const link::DeviceIdentity& identity) : identity_(identity) {}
    LightingEngine(const LightingEngine&) = delete;
    LightingEngine& operator=(const LightingEngine&) = delete;

    LightingSettings settings;
    DeviceMirrors mirrors;
    // Cleared while the system suspends: generators then stop sending.
    std::atomic<bool> outputEnabled{true};
    // Turning hue seed; the keyboard thread advances it every connected pass.
    std::atomic<std::uint8_t> frameTick{0};
    // Clicks of the mouse event thread, direction clicks of the keyboard view
    // and the mouse view's visible controls, for the generators.
    EffectSignals signals;

    // GUI thread: a mode was selected. The kind's thread resets its scratch
    // state and runs the mode's seeding step before its next generator call.
    void requestModeSelection(LightingKind kind, std::uint8_t mode);
    // GUI thread: the view was shown in `mode`; seeds without a reset.
    void requestSeed(LightingKind kind, std::uint8_t mode);

    // Lighting thread of `kind`: applies a pending selection, pauses the
    // mode's extra pause, calls the generator of record.mode and sends its
    // frame to `own` under the sending rule. Returns false when stopped
    // during the pause. A mode without a generator sends nothing.
    bool runGenerator(LightingKind kind, const LightingRecord& record, DeviceChannel& own,
                      const LightingChannels& all, Pacer& pacer);

    // Applies a pending selection of `kind` now (what runGenerator does first);
    // `direction` is the record's direction at this tick.
    void applyPendingSelection(LightingKind kind, std::uint8_t direction);

    link::KeyboardVariant keyboardVariant() const { return identity_.keyboardVariant.load(); }

    // The scratch state, for tests and the command line; only the thread of a
    // kind may touch its part while threads run.
    EffectState& effectState() { return state_; }
    BusyBytes& busyBytes() { return busy_; }

  private:
    static constexpr std::uint32_t kPendingSelect = 0x100;
    static constexpr std::uint32_t kPendingSeed = 0x200;

    const link::DeviceIdentity& identity_;
    EffectState state_;
    BusyBytes busy_;
    std::array<std::atomic<std::uint32_t>, 6> pending_{};
};

// One pass of each lighting thread after its 1 ms stop check; false when the
// thread is being stopped. A pass with nothing to drive (its device absent or
// synchronised; for the synchronised thread, no attached device synchronised)
// ends by waiting for a link change.
[[nodiscard]] bool keyboardPass(LightingEngine& engine, const LightingChannels& channels,
                                Pacer& pacer);
[[nodiscard]] bool mousePass(LightingEngine& engine, const LightingChannels& channels,
                             Pacer& pacer);
[[nodiscard]] bool mousepadPass(LightingEngine& engine, const LightingChannels& channels,
                                Pacer& pacer);
[[nodiscard]] bool syncPass(LightingEngine& engine, const LightingChannels& channels, Pacer& pacer);

// Whether the synchronised thread drives a device now. The one-colour keyboard
// keeps its own effect.
bool takesPartInSync(const DeviceChannel& channel, link::DeviceKind kind,
                     link::KeyboardVariant keyboardVariant);

}  // namespace quillon::lighting
