#pragma once

// Runs keyboard generators tick by tick as the keyboard thread does, without a
// device or a thread: frames land in `frames`, the screen in the engine mirror.

#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

#include "lighting/lighting_engine.h"

namespace quillon::lighting {
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ")";
}
}  // namespace quillon::lighting

namespace quillon::lighting::test {

class CaptureChannel final : public DeviceChannel {
public:
    bool connected() const override { return isConnected; }
    bool syncLighting() const override { return isSynced; }
    void sendFrame(std::span<const std::uint8_t> frame) override {
        frames.emplace_back(frame.begin(), frame.end());
    }
    bool isConnected = true;
    bool isSynced = false;
    std::vector<std::vector<std::uint8_t>> frames;
};

// Records the pauses instead of sleeping.
class RecordingPacer final : public Pacer {
public:
    bool sleepMs(int ms) override {
        pauses.push_back(ms);
        clockMs += static_cast<std::uint32_t>(ms);
        return !stopAfterPause;
    }
    // A simulated clock that only the pauses advance.
    std::uint32_t nowMs() const override { return clockMs; }
    std::uint32_t clockMs = 0;
    std::vector<int> pauses;
    bool stopAfterPause = false;
    int total() const {
        int t = 0;
        for (int p : pauses) t += p;
        return t;
    }
};

struct EffectRig {
    LightingEngine engine;
    CaptureChannel keyboard;
    CaptureChannel mouse;
    CaptureChannel mousepad;
    LightingChannels channels{keyboard, mouse, mousepad};
    RecordingPacer pacer;

    EffectRig() {
        mouse.isConnected = false;
        mousepad.isConnected = false;
    }

    // Selects an RGB mode with the given settings, as the view does.
    void select(std::uint8_t mode, std::uint8_t brightness = 14, std::uint8_t direction = 1,
                std::uint8_t multi = 0, Rgb colour = {200, 100, 50}) {
        engine.settings.edit([&](LightingRecords& r) {
            r.keyboard.lighting = LightingRecord{mode,          brightness,   0, direction, multi,
                                                 colour.red, colour.green, colour.blue};
        });
        engine.requestModeSelection(LightingKind::rgbKeyboard, mode);
    }

    // One generator call and the frameTick step of a keyboard pass.
    const std::vector<std::uint8_t>& tick() {
        const LightingRecord r = engine.settings.keyboardLighting();
        const std::size_t before = keyboard.frames.size();
        (void)engine.runGenerator(LightingKind::rgbKeyboard, r, keyboard, channels, pacer);
        engine.frameTick.fetch_add(1);
        if (keyboard.frames.size() == before) keyboard.frames.emplace_back();
        return keyboard.frames.back();
    }

    KeyboardScratch& scratch() { return engine.effectState().keyboard; }

    // Any device kind: store its record and select its mode, as its view does.
    void selectKind(LightingKind kind, const LightingRecord& rec) {
        engine.settings.edit([&](LightingRecords& r) { recordOf(r, kind) = rec; });
        engine.requestModeSelection(kind, rec.mode);
    }

    CaptureChannel& channelOf(LightingKind kind) {
        if (kind == LightingKind::mouse) return mouse;
        if (kind == LightingKind::mousepad) return mousepad;
        return keyboard;
    }

    // One generator call of `kind` as its thread makes it (keyboard kinds also
    // step frameTick). Returns the frame sent, or an empty one when none was.
    std::vector<std::uint8_t> tickKind(LightingKind kind) {
        const LightingRecord r = engine.settings.read(
            [&](const LightingRecords& all) { return recordOf(const_cast<LightingRecords&>(all), kind); });
        CaptureChannel& own = channelOf(kind);
        const std::size_t before = own.frames.size();
        (void)engine.runGenerator(kind, r, own, channels, pacer);
        if (kind != LightingKind::mouse && kind != LightingKind::mousepad && kind != LightingKind::sync) {
            engine.frameTick.fetch_add(1);
        }
        if (own.frames.size() == before) return {};
        return own.frames.back();
    }

    static LightingRecord& recordOf(LightingRecords& r, LightingKind kind) {
        switch (kind) {
            case LightingKind::mouse: return r.mouse.lighting;
            case LightingKind::mousepad: return r.mousepad.lighting;
            case LightingKind::sync: return r.sync;
            default: return r.keyboard.lighting;
        }
    }
};

inline Rgb ledAt(const std::vector<std::uint8_t>& frame, std::size_t led) {
    return {frame[3 * led], frame[3 * led + 1], frame[3 * led + 2]};
}

}  // namespace quillon::lighting::test
