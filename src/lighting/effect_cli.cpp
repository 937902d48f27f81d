#include "lighting/effect_cli.h"

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
    if (ec != std::errc{} || ptr != end || text.empty() || v < min || v > max) return false;
    out = v;
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A custom set file: the 378 bytes themselves, or them written as hex text.
std::optional<CustomSet> readCustomSet(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CustomSet set{};
    if (bytes.size() == set.size()) {
        for (std::size_t i = 0; i < set.size(); ++i) set[i] = static_cast<std::uint8_t>(bytes[i]);
        return set;
    }
    std::size_t n = 0;
    int high = -1;
    for (char c : bytes) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
        const int d = hexDigit(c);
        if (d < 0 || n >= set.size()) return std::nullopt;
        if (high < 0) {
            high = d;
        } else {
            set[n++] = static_cast<std::uint8_t>(high << 4 | d);
            high = -1;
        }
    }
    if (n != set.size() || high >= 0) return std::nullopt;
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
            if (value != "keyboard") {
                err << "effect: only --device keyboard can be rendered\n";
                return std::nullopt;
            }
            haveDevice = true;
        } else if (opt == "--mode") {
            if (!byteOption(255, o.record.mode)) return std::nullopt;
            haveMode = true;
        } else if (opt == "--speed") {
            if (!byteOption(14, o.record.speed)) return std::nullopt;
        } else if (opt == "--brightness") {
            if (!byteOption(15, o.record.brightness)) return std::nullopt;
        } else if (opt == "--direction") {
            if (!byteOption(1, o.record.direction)) return std::nullopt;
        } else if (opt == "--multicolour") {
            if (!byteOption(1, o.record.multiColour)) return std::nullopt;
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
void prepare(LightingEngine& engine, const EffectOptions& o) {
    engine.settings.edit([&](LightingRecords& r) {
        r.keyboard.lighting = o.record;
        if (o.customSet) r.custom.sets[0] = *o.customSet;
        r.custom.customSet = 0;
    });
    engine.effectState().keyboard.randomState = o.seed ? *o.seed : std::random_device{}();
    engine.requestModeSelection(LightingKind::rgbKeyboard, o.record.mode);
    engine.applyPendingSelection(LightingKind::rgbKeyboard, o.record.direction);
}

}  // namespace

int renderEffect(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const std::optional<EffectOptions> o = parseEffectOptions(args, err);
    if (!o) return 2;
    LightingEngine engine;
    prepare(engine, *o);
    HexLineChannel channel(out);
    SilentChannel absent;
    const LightingChannels channels{channel, absent, absent};
    NoPausePacer pacer;
    for (int i = 0; i < o->frames; ++i) {
        (void)engine.runGenerator(LightingKind::rgbKeyboard, o->record, channel, channels, pacer);
        engine.frameTick.fetch_add(1);
    }
    out.flush();
    return out ? 0 : 1;
}

}  // namespace quillon::lighting
