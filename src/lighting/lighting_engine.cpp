#include "lighting/lighting_engine.h"

#include <algorithm>
#include <span>

namespace quillon::lighting {

namespace {

ScreenMirror& mirrorOf(DeviceMirrors& m, LightingKind kind) {
    switch (kind) {
        case LightingKind::mouse:
            return m.mouse;
        case LightingKind::mousepad:
            return m.mousepad;
        default:
            return m.keyboard;
    }
}

class PassHost final : public EffectHost {
  public:
    PassHost(LightingEngine& engine, const LightingChannels& channels, Pacer& pacer)
        : engine_(engine), channels_(channels), pacer_(pacer) {}

    bool sleepMs(int ms) override { return pacer_.sleepMs(ms); }
    bool outputEnabled() const override { return engine_.outputEnabled.load(); }
    void send(link::DeviceKind kind, std::span<const std::uint8_t> frame) override {
        channel(kind).sendFrame(frame);
    }
    std::uint32_t nowMs() const override { return pacer_.nowMs(); }
    bool takesPart(link::DeviceKind kind) const override {
        return takesPartInSync(channel(kind), kind, engine_.keyboardVariant());
    }
    link::KeyboardVariant keyboardVariant() const override { return engine_.keyboardVariant(); }

  private:
    DeviceChannel& channel(link::DeviceKind kind) const {
        switch (kind) {
            case link::DeviceKind::mouse:
                return channels_.mouse;
            case link::DeviceKind::mousepad:
                return channels_.mousepad;
            default:
                return channels_.keyboard;
        }
    }

    LightingEngine& engine_;
    const LightingChannels& channels_;
    Pacer& pacer_;
};

}  // namespace

bool takesPartInSync(const DeviceChannel& channel, link::DeviceKind kind,
                     link::KeyboardVariant keyboardVariant) {
    if (kind == link::DeviceKind::keyboard &&
        keyboardKind(keyboardVariant) == LightingKind::oneColourKeyboard) {
        return false;
    }
    // A flagged device that is not attached is skipped until it arrives.
    return channel.connected() && channel.syncLighting();
}

namespace {

// The three keyboard variants share one scratch state and so one request slot.
std::size_t requestSlot(LightingKind kind) {
    switch (kind) {
        case LightingKind::oneColourKeyboard:
        case LightingKind::membraneKeyboard:
            return static_cast<std::size_t>(LightingKind::rgbKeyboard);
        default:
            return static_cast<std::size_t>(kind);
    }
}

std::uint32_t kindBits(LightingKind kind) {
    return static_cast<std::uint32_t>(kind) << 16;
}

}  // namespace

void LightingEngine::requestModeSelection(LightingKind kind, std::uint8_t mode) {
    pending_[requestSlot(kind)].store(kPendingSelect | kindBits(kind) | mode);
}

void LightingEngine::requestSeed(LightingKind kind, std::uint8_t mode) {
    std::atomic<std::uint32_t>& p = pending_[requestSlot(kind)];
    std::uint32_t expected = 0;
    // A pending selection already seeds; a seed only fills an empty request.
    p.compare_exchange_strong(expected, kPendingSeed | kindBits(kind) | mode);
}

void LightingEngine::applyPendingSelection(LightingKind kind, std::uint8_t direction) {
    // A request made in any keyboard variant's view is served by the keyboard
    // thread whichever variant runs now, with the steps of the view's variant.
    const std::uint32_t request = pending_[requestSlot(kind)].exchange(0);
    if (request == 0)
        return;
    const auto requested = static_cast<LightingKind>((request >> 16) & 0xFF);
    const EffectFamily& family = effectFamily(requested);
    const auto mode = static_cast<std::uint8_t>(request & 0xFF);
    if (request & kPendingSelect) {
        family.selectMode(state_, mode, direction);
    } else {
        family.seedMode(state_, mode, direction);
    }
}

bool LightingEngine::runGenerator(LightingKind kind, const LightingRecord& record,
                                  DeviceChannel& own, const LightingChannels& all, Pacer& pacer) {
    applyPendingSelection(kind, record.direction);
    const EffectFamily& family = effectFamily(kind);
    // The extra pause comes first: mouse mode 8 rests without a generator.
    const int extra = extraPauseMs(kind, record.mode, record.speed);
    if (extra > 0 && !pacer.sleepMs(extra))
        return false;
    const EffectGenerator generator = findGenerator(family, record.mode);
    if (generator == nullptr) {
        // The device shows its own effect or nothing; the picture must not
        // keep the last one's colours.
        ScreenMirror& mirror = mirrorOf(mirrors, kind);
        mirror.darken();
        mirror.publish();
        return true;
    }

    CustomSet custom;
    settings.copyCurrentCustomSet(custom);
    Frame frame{};
    PassHost host(*this, all, pacer);
    ScreenMirror& mirror = mirrorOf(mirrors, kind);
    EffectContext ctx{record, state_,  busy_,    frameTick, custom,  frame, family.frameBytes,
                      mirror, mirrors, settings, host,      &signals};
    const SendRule rule = generator(ctx);
    mirror.publish();
    const bool send =
        rule == SendRule::always || (rule == SendRule::ifOutputEnabled && outputEnabled.load());
    if (send && ctx.frameLength > 0) {
        own.sendFrame(
            std::span<const std::uint8_t>(frame.data(), std::min(ctx.frameLength, frame.size())));
    }
    return true;
}

namespace {

// The mouse and mousepad threads: pause, then drive the device unless it is
// absent or synchronised lighting holds it.
bool pointerPass(LightingEngine& engine, const LightingChannels& channels, Pacer& pacer,
                 LightingKind kind, DeviceChannel& own,
                 LightingRecord (LightingSettings::*read)() const) {
    const LightingRecord before = (engine.settings.*read)();
    if (!pacer.sleepMs(framePauseMs(kind, before.mode, before.speed)))
        return false;
    // Absent, or driven by the synchronised thread: nothing to do until that changes.
    if (!own.connected() || own.syncLighting())
        return pacer.waitForLinkChange();
    const LightingRecord now = (engine.settings.*read)();
    return engine.runGenerator(kind, now, own, channels, pacer);
}

}  // namespace

bool keyboardPass(LightingEngine& engine, const LightingChannels& channels, Pacer& pacer) {
    // The pause is chosen by the mode and speed of the pass's start.
    const LightingRecord before = engine.settings.keyboardLighting();
    if (!pacer.sleepMs(framePauseMs(LightingKind::rgbKeyboard, before.mode, before.speed))) {
        return false;
    }
    if (!channels.keyboard.connected())
        return pacer.waitForLinkChange();
    const LightingKind kind = keyboardKind(engine.keyboardVariant());
    // The one-colour keyboard keeps its own effect whatever its flag says;
    // another keyboard driven by the synchronised thread waits until it is
    // handed back (the hue seed rests meanwhile).
    if (channels.keyboard.syncLighting() && kind != LightingKind::oneColourKeyboard)
        return pacer.waitForLinkChange();
    const LightingRecord now = engine.settings.keyboardLighting();
    if (!engine.runGenerator(kind, now, channels.keyboard, channels, pacer))
        return false;
    engine.frameTick.fetch_add(1);
    return true;
}

bool mousePass(LightingEngine& engine, const LightingChannels& channels, Pacer& pacer) {
    return pointerPass(engine, channels, pacer, LightingKind::mouse, channels.mouse,
                       &LightingSettings::mouseLighting);
}

bool mousepadPass(LightingEngine& engine, const LightingChannels& channels, Pacer& pacer) {
    return pointerPass(engine, channels, pacer, LightingKind::mousepad, channels.mousepad,
                       &LightingSettings::mousepadLighting);
}

bool syncPass(LightingEngine& engine, const LightingChannels& channels, Pacer& pacer) {
    const LightingRecord record = engine.settings.syncLighting();
    if (!pacer.sleepMs(framePauseMs(LightingKind::sync, record.mode, record.speed)))
        return false;
    const link::KeyboardVariant variant = engine.keyboardVariant();
    // Nothing to drive: wait for an arrival or a synchronisation start rather
    // than pass again (at speed 0 the pause above is none).
    if (!takesPartInSync(channels.keyboard, link::DeviceKind::keyboard, variant) &&
        !takesPartInSync(channels.mouse, link::DeviceKind::mouse, variant) &&
        !takesPartInSync(channels.mousepad, link::DeviceKind::mousepad, variant)) {
        return pacer.waitForLinkChange();
    }
    // The synchronised generators send their own frames through the host.
    return engine.runGenerator(LightingKind::sync, record, channels.keyboard, channels, pacer);
}

}  // namespace quillon::lighting
