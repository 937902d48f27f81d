#include "lighting/effect_render.h"

#include <algorithm>
#include <random>

#include "lighting/effect_families.h"
#include "lighting/lighting_engine.h"
#include "link/device_identity.h"

namespace quillon::lighting {

namespace {

// Hands every frame the device is sent to the receiver.
class ForwardingChannel final : public DeviceChannel {
  public:
    explicit ForwardingChannel(RenderedFrames& out) : out_(out) {}
    bool connected() const override { return true; }
    bool syncLighting() const override { return false; }
    void sendFrame(std::span<const std::uint8_t> frame) override { out_.frame(frame); }

  private:
    RenderedFrames& out_;
};

// Sync: keeps the last frame a device got in the tick, handed over per tick.
class FrameSlotChannel final : public DeviceChannel {
  public:
    bool connected() const override { return true; }
    bool syncLighting() const override { return true; }
    void sendFrame(std::span<const std::uint8_t> frame) override {
        length_ = std::min(frame.size(), bytes_.size());
        std::copy_n(frame.begin(), length_, bytes_.begin());
    }
    // The tick's frame; the slot is empty again for the next tick.
    std::span<const std::uint8_t> take() {
        const std::size_t n = length_;
        length_ = 0;
        return std::span(bytes_).first(n);
    }

  private:
    std::array<std::uint8_t, kMaxFrameBytes> bytes_{};
    std::size_t length_ = 0;
};

// Render time: each tick's pause advances the clock, no one sleeps.
class SimulatedPacer final : public Pacer {
  public:
    bool sleepMs(int) override { return true; }
    std::uint32_t nowMs() const override { return now; }
    std::uint32_t now = 0;
};

bool isKeyboardKind(LightingKind k) {
    return k == LightingKind::rgbKeyboard || k == LightingKind::oneColourKeyboard ||
           k == LightingKind::membraneKeyboard;
}

class SilentChannel final : public DeviceChannel {
  public:
    bool connected() const override { return false; }
    bool syncLighting() const override { return false; }
    void sendFrame(std::span<const std::uint8_t>) override {}
};

// The engine as a fresh program has it right after the mode was selected.
void prepare(LightingEngine& engine, link::DeviceIdentity& identity, const EffectOptions& o) {
    engine.settings.edit([&](LightingRecords& r) {
        switch (o.kind) {
            case LightingKind::mouse:
                r.mouse.lighting = o.record;
                break;
            case LightingKind::mousepad:
                r.mousepad.lighting = o.record;
                break;
            case LightingKind::sync:
                r.sync = o.record;
                break;
            default:
                r.keyboard.lighting = o.record;
                break;
        }
        if (o.customSet)
            r.custom.sets[0] = *o.customSet;
        r.custom.customSet = 0;
    });
    const std::uint32_t seed = o.seed ? *o.seed : std::random_device{}();
    engine.effectState().keyboard.randomState = seed;
    engine.effectState().sync.randomState = seed;
    switch (o.kind) {
        case LightingKind::oneColourKeyboard:
            identity.keyboardVariant = link::KeyboardVariant::oneColour;
            break;
        case LightingKind::membraneKeyboard:
            identity.keyboardVariant = link::KeyboardVariant::membrane;
            break;
        case LightingKind::sync:
            identity.keyboardVariant = link::keyboardVariantOf(o.syncKeyboardVariant);
            break;
        default:
            break;
    }
    engine.requestModeSelection(o.kind, o.record.mode);
    engine.applyPendingSelection(o.kind, o.record.direction);
}

}  // namespace

void renderEffect(const EffectOptions& o, RenderedFrames& out) {
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
    prepare(engine, identity, o);
    ForwardingChannel line(out);
    SilentChannel absent;
    std::array<FrameSlotChannel, 3> slots;
    const bool sync = o.kind == LightingKind::sync;
    const LightingChannels channels =
        sync                               ? LightingChannels{slots[0], slots[1], slots[2]}
        : o.kind == LightingKind::mouse    ? LightingChannels{absent, line, absent}
        : o.kind == LightingKind::mousepad ? LightingChannels{absent, absent, line}
                                           : LightingChannels{line, absent, absent};
    DeviceChannel& own = o.kind == LightingKind::mouse      ? channels.mouse
                         : o.kind == LightingKind::mousepad ? channels.mousepad
                                                            : channels.keyboard;
    SimulatedPacer pacer;
    const LightingRecord& r = o.record;
    for (int i = 0; i < o.frames; ++i) {
        pacer.now += static_cast<std::uint32_t>(framePauseMs(o.kind, r.mode, r.speed) +
                                                extraPauseMs(o.kind, r.mode, r.speed));
        if (std::find(o.clickTicks.begin(), o.clickTicks.end(), i) != o.clickTicks.end()) {
            engine.signals.mouseClickPulse = true;
            engine.signals.mousepadClickPulse = true;
        }
        (void)engine.runGenerator(o.kind, r, own, channels, pacer);
        // Only an attached keyboard's thread turns frameTick.
        if (isKeyboardKind(o.kind) || sync)
            engine.frameTick.fetch_add(1);
        if (sync)
            out.syncTick(slots[0].take(), slots[1].take(), slots[2].take());
    }
}

}  // namespace quillon::lighting
