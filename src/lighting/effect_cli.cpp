#include "lighting/effect_cli.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <random>
#include <string_view>
#include <vector>

#include "lighting/effect_families.h"
#include "lighting/lighting_engine.h"

namespace quillon::lighting {

namespace {

bool parseInt(std::string_view text, long long min, long long max, long long& out, int base = 10) {
    long long v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v, base);
    if (ec != std::errc{} || ptr != end || text.empty() || v < min || v > max)
        return false;
    out = v;
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A custom set file: the 378 bytes themselves, or them written as hex text.
std::optional<CustomSet> readCustomSet(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CustomSet set{};
    if (bytes.size() == set.size()) {
        for (std::size_t i = 0; i < set.size(); ++i)
            set[i] = static_cast<std::uint8_t>(bytes[i]);
        return set;
    }
    std::size_t n = 0;
    int high = -1;
    for (char c : bytes) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t')
            continue;
        const int d = hexDigit(c);
        if (d < 0 || n >= set.size())
            return std::nullopt;
        if (high < 0) {
            high = d;
        } else {
            set[n++] = static_cast<std::uint8_t>(high << 4 | d);
            high = -1;
        }
    }
    if (n != set.size() || high >= 0)
        return std::nullopt;
    return set;
}

class NoPausePacer final : public Pacer {
  public:
    bool sleepMs(int) override { return true; }
    std::uint32_t nowMs() const override { return now_; }

  private:
    std::uint32_t now_ = 0;
};

class HexLineChannel final : public DeviceChannel {
  public:
    explicit HexLineChannel(std::ostream& out) : out_(out) {}
    bool connected() const override { return true; }
    bool syncLighting() const override { return false; }
    void sendFrame(std::span<const std::uint8_t> frame) override {
        static constexpr char kDigits[] = "0123456789abcdef";
        std::array<char, 2 * kMaxFrameBytes + 1> line{};
        std::size_t n = 0;
        for (std::uint8_t b : frame) {
            line[n++] = kDigits[b >> 4];
            line[n++] = kDigits[b & 15];
        }
        line[n++] = '\n';
        out_.write(line.data(), static_cast<std::streamsize>(n));
    }

  private:
    std::ostream& out_;
};

// Sync: keeps the last frame a device got in the tick, printed per tick.
class FrameSlotChannel final : public DeviceChannel {
  public:
    bool connected() const override { return true; }
    bool syncLighting() const override { return true; }
    void sendFrame(std::span<const std::uint8_t> frame) override {
        length_ = std::min(frame.size(), bytes_.size());
        std::copy_n(frame.begin(), length_, bytes_.begin());
    }
    void writeHex(std::ostream& out) {
        static constexpr char kDigits[] = "0123456789abcdef";
        for (std::size_t i = 0; i < length_; ++i)
            out << kDigits[bytes_[i] >> 4] << kDigits[bytes_[i] & 15];
        length_ = 0;
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

std::optional<LightingKind> renderedKind(std::string_view device) {
    if (device == "keyboard")
        return LightingKind::rgbKeyboard;
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
    return std::nullopt;
}

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

}  // namespace

std::optional<EffectOptions> parseEffectOptions(std::span<const std::string> args,
                                                std::ostream& err) {
    EffectOptions o;
    bool haveDevice = false;
    bool haveMode = false;
    bool haveFrames = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& opt = args[i];
        if (i + 1 >= args.size()) {
            err << "effect: " << opt << " needs a value\n";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        long long v = 0;
        auto byteOption = [&](long long max, std::uint8_t& field) {
            if (!parseInt(value, 0, max, v)) {
                err << "effect: bad value for " << opt << ": " << value << "\n";
                return false;
            }
            field = static_cast<std::uint8_t>(v);
            return true;
        };
        if (opt == "--device") {
            const std::optional<LightingKind> kind = renderedKind(value);
            if (!kind) {
                err << "effect: unknown device " << value << "\n";
                return std::nullopt;
            }
            o.kind = *kind;
            haveDevice = true;
        } else if (opt == "--keyboard") {
            if (value != "rgb" && value != "membrane") {
                err << "effect: --keyboard takes rgb or membrane\n";
                return std::nullopt;
            }
            o.syncKeyboardVariant = value == "rgb" ? 0 : 2;
        } else if (opt == "--click-at") {
            if (!parseInt(value, 0, 1000000, v)) {
                err << "effect: bad value for --click-at: " << value << "\n";
                return std::nullopt;
            }
            o.clickTicks.push_back(static_cast<int>(v));
        } else if (opt == "--mode") {
            if (!byteOption(255, o.record.mode))
                return std::nullopt;
            haveMode = true;
        } else if (opt == "--speed") {
            if (!byteOption(14, o.record.speed))
                return std::nullopt;
        } else if (opt == "--brightness") {
            if (!byteOption(15, o.record.brightness))
                return std::nullopt;
        } else if (opt == "--direction") {
            if (!byteOption(1, o.record.direction))
                return std::nullopt;
        } else if (opt == "--multicolour") {
            if (!byteOption(1, o.record.multiColour))
                return std::nullopt;
        } else if (opt == "--colour") {
            if (value.size() != 6 || !parseInt(value, 0, 0xFFFFFF, v, 16)) {
                err << "effect: --colour takes RRGGBB\n";
                return std::nullopt;
            }
            o.record.red = static_cast<std::uint8_t>(v >> 16);
            o.record.green = static_cast<std::uint8_t>(v >> 8);
            o.record.blue = static_cast<std::uint8_t>(v);
        } else if (opt == "--custom-set") {
            o.customSet = readCustomSet(value);
            if (!o.customSet) {
                err << "effect: cannot read a 378-byte custom set from " << value << "\n";
                return std::nullopt;
            }
        } else if (opt == "--frames") {
            if (!parseInt(value, 0, 1000000, v)) {
                err << "effect: bad value for --frames: " << value << "\n";
                return std::nullopt;
            }
            o.frames = static_cast<int>(v);
            haveFrames = true;
        } else if (opt == "--seed") {
            if (!parseInt(value, 0, 0xFFFFFFFFLL, v)) {
                err << "effect: bad value for --seed: " << value << "\n";
                return std::nullopt;
            }
            o.seed = static_cast<std::uint32_t>(v);
        } else {
            err << "effect: unknown option " << opt << "\n";
            return std::nullopt;
        }
    }
    if (!haveDevice || !haveMode || !haveFrames) {
        err << "effect: --device, --mode and --frames are required\n";
        return std::nullopt;
    }
    return o;
}

namespace {

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

int renderEffect(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const std::optional<EffectOptions> o = parseEffectOptions(args, err);
    if (!o)
        return 2;
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
    prepare(engine, identity, *o);
    HexLineChannel line(out);
    SilentChannel absent;
    std::array<FrameSlotChannel, 3> slots;
    const bool sync = o->kind == LightingKind::sync;
    const LightingChannels channels =
        sync                                ? LightingChannels{slots[0], slots[1], slots[2]}
        : o->kind == LightingKind::mouse    ? LightingChannels{absent, line, absent}
        : o->kind == LightingKind::mousepad ? LightingChannels{absent, absent, line}
                                            : LightingChannels{line, absent, absent};
    DeviceChannel& own = o->kind == LightingKind::mouse      ? channels.mouse
                         : o->kind == LightingKind::mousepad ? channels.mousepad
                                                             : channels.keyboard;
    SimulatedPacer pacer;
    const LightingRecord& r = o->record;
    for (int i = 0; i < o->frames; ++i) {
        pacer.now += static_cast<std::uint32_t>(framePauseMs(o->kind, r.mode, r.speed) +
                                                extraPauseMs(o->kind, r.mode, r.speed));
        if (std::find(o->clickTicks.begin(), o->clickTicks.end(), i) != o->clickTicks.end()) {
            engine.signals.mouseClickPulse = true;
            engine.signals.mousepadClickPulse = true;
        }
        (void)engine.runGenerator(o->kind, r, own, channels, pacer);
        // Only an attached keyboard's thread turns frameTick.
        if (isKeyboardKind(o->kind) || sync)
            engine.frameTick.fetch_add(1);
        if (sync) {
            slots[0].writeHex(out);
            out << ' ';
            slots[1].writeHex(out);
            out << ' ';
            slots[2].writeHex(out);
            out << '\n';
        }
    }
    out.flush();
    return out ? 0 : 1;
}

}  // namespace quillon::lighting
