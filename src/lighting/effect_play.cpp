// "effect play": the keyboard thread's passes against a real or emulated link.

#include "lighting/effect_render.h"
#include "lighting/lighting_engine.h"
#include "lighting/lighting_threads.h"
#include "lighting/link_channel.h"

namespace quillon::lighting {

namespace {

class AbsentChannel final : public DeviceChannel {
  public:
    bool connected() const override { return false; }
    bool syncLighting() const override { return false; }
    void sendFrame(std::span<const std::uint8_t>) override {}
};

}  // namespace

PlayResult playEffect(const EffectOptions& o, link::DeviceLink& keyboard) {
    if (o.kind != LightingKind::rgbKeyboard)
        return PlayResult::notPlayableDevice;
    if (keyboard.connected.load() == 0)
        return PlayResult::notConnected;
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
    engine.settings.edit([&](LightingRecords& r) {
        r.keyboard.lighting = o.record;
        if (o.customSet)
            r.custom.sets[0] = *o.customSet;
    });
    if (o.seed)
        engine.effectState().keyboard.randomState = *o.seed;
    engine.requestModeSelection(LightingKind::rgbKeyboard, o.record.mode);
    LinkChannel channel(keyboard);
    AbsentChannel absent;
    const LightingChannels channels{channel, absent, absent};
    const link::StopSignal never;  // the command runs its frames to the end
    StopPacer pacer(never);
    for (int i = 0; i < o.frames; ++i) {
        if (!keyboardPass(engine, channels, pacer))
            break;
    }
    return PlayResult::played;
}

}  // namespace quillon::lighting
