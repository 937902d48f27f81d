#pragma once

// Runs keyboard generators tick by tick as the keyboard thread does, without a
// device or a thread: frames land in `frames`, the screen in the engine mirror.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "lighting/effect_render.h"
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
    bool waitForLinkChange() override {
        ++linkWaits;
        return !stopAfterPause;
    }
    int linkWaits = 0;
    // A simulated clock that only the pauses advance.
    std::uint32_t nowMs() const override { return clockMs; }
    std::uint32_t clockMs = 0;
    std::vector<int> pauses;
    bool stopAfterPause = false;
    int total() const {
        int t = 0;
        for (int p : pauses)
            t += p;
        return t;
    }
};

struct EffectRig {
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
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
            r.keyboard.lighting = LightingRecord{
                mode, brightness, 0, direction, multi, colour.red, colour.green, colour.blue};
        });
        engine.requestModeSelection(LightingKind::rgbKeyboard, mode);
    }

    // One generator call and the frameTick step of a keyboard pass.
    const std::vector<std::uint8_t>& tick() {
        const LightingRecord r = engine.settings.keyboardLighting();
        const std::size_t before = keyboard.frames.size();
        (void)engine.runGenerator(LightingKind::rgbKeyboard, r, keyboard, channels, pacer);
        engine.frameTick.fetch_add(1);
        if (keyboard.frames.size() == before)
            keyboard.frames.emplace_back();
        return keyboard.frames.back();
    }

    KeyboardScratch& scratch() { return engine.effectState().keyboard; }

    // Any device kind: store its record and select its mode, as its view does.
    void selectKind(LightingKind kind, const LightingRecord& rec) {
        engine.settings.edit([&](LightingRecords& r) { recordOf(r, kind) = rec; });
        engine.requestModeSelection(kind, rec.mode);
    }

    CaptureChannel& channelOf(LightingKind kind) {
        if (kind == LightingKind::mouse)
            return mouse;
        if (kind == LightingKind::mousepad)
            return mousepad;
        return keyboard;
    }

    // One generator call of `kind` as its thread makes it (keyboard kinds also
    // step frameTick). Returns the frame sent, or an empty one when none was.
    std::vector<std::uint8_t> tickKind(LightingKind kind) {
        const LightingRecord r = engine.settings.read([&](const LightingRecords& all) {
            return recordOf(const_cast<LightingRecords&>(all), kind);
        });
        CaptureChannel& own = channelOf(kind);
        const std::size_t before = own.frames.size();
        (void)engine.runGenerator(kind, r, own, channels, pacer);
        if (kind != LightingKind::mouse && kind != LightingKind::mousepad &&
            kind != LightingKind::sync) {
            engine.frameTick.fetch_add(1);
        }
        if (own.frames.size() == before)
            return {};
        return own.frames.back();
    }

    static LightingRecord& recordOf(LightingRecords& r, LightingKind kind) {
        switch (kind) {
            case LightingKind::mouse:
                return r.mouse.lighting;
            case LightingKind::mousepad:
                return r.mousepad.lighting;
            case LightingKind::sync:
                return r.sync;
            default:
                return r.keyboard.lighting;
        }
    }
};

inline Rgb ledAt(const std::vector<std::uint8_t>& frame, std::size_t led) {
    return {frame[3 * led], frame[3 * led + 1], frame[3 * led + 2]};
}

// Golden frames of the devices rendered through "effect render": the first
// frame line in full and a digest of twelve ticks for (direction, multi-colour)
// = (1, 0), (1, 1), (0, 0), (0, 1).
struct DeviceGolden {
    std::string device;
    int mode;
    std::string firstLine;
    std::uint64_t digest[4];
};

inline std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 0x100000001b3ull;
    }
    return h;
}

// What a render adds to the common settings below.
struct RenderExtras {
    std::vector<int> clickAt;       // ticks preceded by a mouse click
    std::uint8_t syncKeyboard = 0;  // sync: 0 RGB or 2 membrane keyboard
};

// The frames as "quillonctl effect render" prints them: one line of lower-case
// hex per frame, a sync tick's three frames separated by blanks. The recorded
// digests are digests of this text.
class HexLineFrames final : public RenderedFrames {
  public:
    void frame(std::span<const std::uint8_t> bytes) override {
        append(bytes);
        text += '\n';
    }
    void syncTick(std::span<const std::uint8_t> keyboard, std::span<const std::uint8_t> mouse,
                  std::span<const std::uint8_t> mousepad) override {
        append(keyboard);
        text += ' ';
        append(mouse);
        text += ' ';
        append(mousepad);
        text += '\n';
    }
    std::string text;

  private:
    void append(std::span<const std::uint8_t> bytes) {
        static constexpr char kDigits[] = "0123456789abcdef";
        for (std::uint8_t b : bytes) {
            text += kDigits[b >> 4];
            text += kDigits[b & 15];
        }
    }
};

inline LightingKind renderedKind(const std::string& device) {
    if (device == "keyboard-onecolour")
        return LightingKind::oneColourKeyboard;
    if (device == "keyboard-membrane")
        return LightingKind::membraneKeyboard;
    if (device == "mouse")
        return LightingKind::mouse;
    if (device == "mousepad")
        return LightingKind::mousepad;
    if (device == "sync")
        return LightingKind::sync;
    return LightingKind::rgbKeyboard;
}

// Brightness 10, colour c86432, seed 7.
inline std::string renderDevice(const std::string& device, int mode, int direction, int multi,
                                int frames, const RenderExtras& extra = {}) {
    EffectOptions o;
    o.kind = renderedKind(device);
    o.record.mode = static_cast<std::uint8_t>(mode);
    o.record.brightness = 10;
    o.record.direction = static_cast<std::uint8_t>(direction);
    o.record.multiColour = static_cast<std::uint8_t>(multi);
    o.record.red = 0xc8;
    o.record.green = 0x64;
    o.record.blue = 0x32;
    o.frames = frames;
    o.seed = 7;
    o.clickTicks = extra.clickAt;
    o.syncKeyboardVariant = extra.syncKeyboard;
    HexLineFrames out;
    renderEffect(o, out);
    return out.text;
}

inline DeviceGolden renderGolden(const std::string& device, int mode,
                                 const RenderExtras& extra = {}) {
    DeviceGolden g{device, mode, {}, {}};
    int i = 0;
    for (int direction : {1, 0}) {
        for (int multi : {0, 1}) {
            const std::string frames = renderDevice(device, mode, direction, multi, 12, extra);
            if (i == 0)
                g.firstLine = frames.substr(0, frames.find('\n'));
            g.digest[i++] = fnv1a(frames);
        }
    }
    return g;
}

// With QUILLON_GOLDEN_OUT set, writes the table instead of checking it (to
// record frames after an intended change).
inline bool writeGoldenIfAsked(const std::string& name, const std::vector<DeviceGolden>& rows) {
    const char* dir = std::getenv("QUILLON_GOLDEN_OUT");
    if (dir == nullptr)
        return false;
    std::ofstream out(std::string(dir) + "/" + name);
    for (const DeviceGolden& g : rows) {
        out << "    {\"" << g.device << "\", " << g.mode << ", \"" << g.firstLine << "\", {";
        for (int i = 0; i < 4; ++i) {
            out << (i ? ", " : "") << "0x" << std::hex << g.digest[i] << std::dec << "ull";
        }
        out << "}},\n";
    }
    return true;
}

inline void expectGolden(const std::vector<DeviceGolden>& actual,
                         std::span<const DeviceGolden> recorded) {
    ASSERT_EQ(actual.size(), recorded.size());
    for (std::size_t r = 0; r < actual.size(); ++r) {
        const DeviceGolden& a = actual[r];
        const DeviceGolden& g = recorded[r];
        EXPECT_EQ(a.firstLine, g.firstLine) << a.device << " mode " << a.mode;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(a.digest[i], g.digest[i]) << a.device << " mode " << a.mode << " case " << i;
        }
    }
}

}  // namespace quillon::lighting::test
