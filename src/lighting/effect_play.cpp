// "effect play": the keyboard thread's passes against a real or emulated link.

#include "lighting/effect_cli.h"
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

int playEffect(std::span<const std::string> args, link::DeviceLink& keyboard, std::ostream& out,
               std::ostream& err) {
    const std::optional<EffectOptions> o = parseEffectOptions(args, err);
    if (!o)
        return 2;
    if (o->kind != LightingKind::rgbKeyboard) {
        err << "effect play: only --device keyboard can be played\n";
        return 2;
    }
    if (keyboard.connected.load() == 0) {
        err << "effect play: the keyboard is not connected\n";
        return 1;
    }
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
    engine.settings.edit([&](LightingRecords& r) {
        r.keyboard.lighting = o->record;
        if (o->customSet)
            r.custom.sets[0] = *o->customSet;
    });
    if (o->seed)
        engine.effectState().keyboard.randomState = *o->seed;
    engine.requestModeSelection(LightingKind::rgbKeyboard, o->record.mode);
    LinkChannel channel(keyboard);
    AbsentChannel absent;
    const LightingChannels channels{channel, absent, absent};
    const link::StopSignal never;  // the command runs its frames to the end
    StopPacer pacer(never);
    for (int i = 0; i < o->frames; ++i) {
        if (!keyboardPass(engine, channels, pacer))
            break;
    }
    out << "effect play: " << o->frames << " passes\n";
    return 0;
}

}  // namespace quillon::lighting
