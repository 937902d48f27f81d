// effect render, effect play: a lighting effect's frames, printed or streamed.

#include <fstream>
#include <memory>

#include "cli/command_groups.h"
#include "cli/hex_text.h"
#include "lighting/custom_set_text.h"
#include "lighting/effect_render.h"
#include "link/interface_scan.h"

namespace quillon::cli {
namespace {

using lighting::LightingKind;

const std::vector<std::string> kDevices{"keyboard", "keyboard-onecolour", "keyboard-membrane",
                                        "mouse",    "mousepad",           "sync"};

LightingKind renderedKind(const std::string& device) {
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

// A custom set file is a few hundred bytes; anything much larger is not one.
constexpr std::size_t kMaxCustomSetFileBytes = 64 * 1024;

bool readSmallFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.resize(kMaxCustomSetFileBytes + 1);
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    if (in.bad())
        return false;
    content.resize(static_cast<std::size_t>(in.gcount()));
    return content.size() <= kMaxCustomSetFileBytes;
}

// The options both commands take, as typed on the command line.
struct EffectArgs {
    std::string device;
    std::string keyboard = "rgb";
    std::vector<int> clickAt;
    int mode = 0;
    int speed = 0;
    int brightness = 14;
    int direction = 1;
    int multicolour = 0;
    std::string colour = "ff0000";
    std::string customSet;
    int frames = 0;
    long long seed = -1;  // -1: none given
};

void addEffectOptions(CommandSetup& setup, CLI::App* command, EffectArgs& a) {
    setup.choice(command, "--device", a.device, kDevices, "the device whose effect runs")
        ->required();
    command->add_option("--mode", a.mode, "the lighting mode")
        ->required()
        ->check(CLI::Range(0, 255));
    command->add_option("--frames", a.frames, "how many generator calls")
        ->required()
        ->check(CLI::Range(0, 1000000));
    command->add_option("--speed", a.speed, "0..14")
        ->capture_default_str()
        ->check(CLI::Range(0, 14));
    command->add_option("--brightness", a.brightness, "0..15")
        ->capture_default_str()
        ->check(CLI::Range(0, 15));
    command->add_option("--direction", a.direction, "0 or 1")
        ->capture_default_str()
        ->check(CLI::Range(0, 1));
    command->add_option("--multicolour", a.multicolour, "0 or 1")
        ->capture_default_str()
        ->check(CLI::Range(0, 1));
    command->add_option("--colour", a.colour, "the colour as RRGGBB")
        ->capture_default_str()
        ->check(CLI::Validator(
            [](std::string& value) -> std::string {
                const bool ok =
                    value.size() == 6 &&
                    value.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
                return ok ? std::string() : "--colour takes RRGGBB (six hex digits)";
            },
            "RRGGBB"));
    setup.file(command, "--custom-set", a.customSet,
               "custom colour set 0: 378 bytes, or them as hex text");
    command->add_option("--seed", a.seed, "the random generators' seed")
        ->check(CLI::Range(0LL, 0xFFFFFFFFLL));
    setup.choice(command, "--keyboard", a.keyboard, {"rgb", "membrane"},
                 "sync: which keyboard takes part");
    command->add_option("--click-at", a.clickAt, "deliver a mouse click before this tick")
        ->check(CLI::Range(0, 1000000));
}

// Nullopt (the reason told) when the custom set file cannot be used.
std::optional<lighting::EffectOptions> effectOptions(Context& ctx, const EffectArgs& a) {
    lighting::EffectOptions o;
    o.kind = renderedKind(a.device);
    o.syncKeyboardVariant = a.keyboard == "membrane" ? 2 : 0;
    o.clickTicks = a.clickAt;
    o.frames = a.frames;
    const unsigned long rgb = std::stoul(a.colour, nullptr, 16);
    o.record.mode = static_cast<std::uint8_t>(a.mode);
    o.record.speed = static_cast<std::uint8_t>(a.speed);
    o.record.brightness = static_cast<std::uint8_t>(a.brightness);
    o.record.direction = static_cast<std::uint8_t>(a.direction);
    o.record.multiColour = static_cast<std::uint8_t>(a.multicolour);
    o.record.red = static_cast<std::uint8_t>(rgb >> 16);
    o.record.green = static_cast<std::uint8_t>(rgb >> 8);
    o.record.blue = static_cast<std::uint8_t>(rgb);
    if (a.seed >= 0)
        o.seed = static_cast<std::uint32_t>(a.seed);
    if (!a.customSet.empty()) {
        std::string content;
        if (!readSmallFile(a.customSet, content) ||
            !(o.customSet = lighting::parseCustomSet(content))) {
            ctx.err << "quillonctl: cannot read a 378-byte custom set from " << a.customSet << "\n";
            return std::nullopt;
        }
    }
    return o;
}

// One line of lower-case hex per frame; a sync line holds the keyboard, mouse
// and mousepad frames of one tick, separated by single blanks.
class HexLines final : public lighting::RenderedFrames {
  public:
    explicit HexLines(std::ostream& out) : out_(out) {}
    void frame(std::span<const std::uint8_t> bytes) override { out_ << hexRun(bytes) << '\n'; }
    void syncTick(std::span<const std::uint8_t> keyboard, std::span<const std::uint8_t> mouse,
                  std::span<const std::uint8_t> mousepad) override {
        out_ << hexRun(keyboard) << ' ' << hexRun(mouse) << ' ' << hexRun(mousepad) << '\n';
    }

  private:
    std::ostream& out_;
};

int renderEffect(Context& ctx, const EffectArgs& a) {
    const auto options = effectOptions(ctx, a);
    if (!options)
        return kExitUsage;
    HexLines lines(ctx.out);
    lighting::renderEffect(*options, lines);
    return kExitOk;
}

int playEffect(Context& ctx, const EffectArgs& a) {
    const auto options = effectOptions(ctx, a);
    if (!options)
        return kExitUsage;
    if (options->kind != LightingKind::rgbKeyboard) {
        ctx.err << "quillonctl: only --device keyboard can be played\n";
        return kExitUsage;
    }
    link::DeviceLink keyboard(ctx.backend);
    keyboard.setMatch(link::DeviceKind::keyboard);
    keyboard.hid.setTrace(ctx.trace);
    if (!link::connectFirst(keyboard, link::DeviceKind::keyboard)) {
        ctx.err << "quillonctl: no keyboard found\n";
        return kExitFailed;
    }
    switch (lighting::playEffect(*options, keyboard)) {
        case lighting::PlayResult::played:
            ctx.out << "effect play: " << options->frames << " passes\n";
            return kExitOk;
        case lighting::PlayResult::notConnected:
            ctx.err << "quillonctl: the keyboard is not connected\n";
            return kExitFailed;
        case lighting::PlayResult::notPlayableDevice:
            break;
    }
    ctx.err << "quillonctl: only --device keyboard can be played\n";
    return kExitUsage;
}

}  // namespace

void addEffectCommands(CommandSetup& setup) {
    CLI::App* group = setup.command(nullptr, "effect", "lighting effects outside the program");
    group->require_subcommand(1);

    auto renderArgs = std::make_shared<EffectArgs>();
    CLI::App* render = setup.command(
        group, "render", "print the frames a lighting effect produces, one line of hex each");
    addEffectOptions(setup, render, *renderArgs);
    setup.onRun(
        render, [renderArgs](Context& ctx) { return renderEffect(ctx, *renderArgs); }, false);

    auto playArgs = std::make_shared<EffectArgs>();
    CLI::App* play = setup.command(
        group, "play", "stream an effect's frames to the keyboard at the lighting thread's pace");
    addEffectOptions(setup, play, *playArgs);
    setup.onRun(
        play, [playArgs](Context& ctx) { return playEffect(ctx, *playArgs); }, true);
}

}  // namespace quillon::cli
