// dpi show, dpi set: the mouse's DPI stages, their colour, report rate and
// lift-off, read from and written to the mouse's active slot record.

#include <cctype>
#include <iomanip>
#include <memory>
#include <optional>
#include <sstream>

#include "cli/command_groups.h"
#include "cli/device_connect.h"
#include "link/protocol.h"
#include "mouse/dpi_range.h"
#include "mouse/mouse_record_exchange.h"

namespace quillon::cli {
namespace {

struct DpiChange {
    int stage = 0;  // 1..6
    std::optional<unsigned> dpi;
    std::string colour;
    std::optional<int> rate;
    std::optional<int> lift;
};

// The mouse opened, and its information record and current state read,
// framed as every stored-data read is; nullopt, told to the user, otherwise.
struct OpenMouse {
    link::DeviceInfo info;
    link::MouseState state;
};
std::optional<OpenMouse> openMouse(Context& ctx, link::DeviceLink& link, int& exitCode) {
    exitCode = kExitFailed;
    if (!connectDevice(ctx, link, link::DeviceKind::mouse))
        return std::nullopt;
    OpenMouse m;
    static_cast<void>(link::begin(link));  // the reads below tell whether the mouse answers
    link::Status s = link::readInfo(link, m.info);
    if (link::succeeded(s))
        s = mouse::readActiveMouseState(link, m.state);
    static_cast<void>(link::end(link));
    if (!link::succeeded(s)) {
        exitCode = reportFailure(ctx, "reading the mouse", s);
        return std::nullopt;
    }
    return m;
}

std::string hexColour(const link::MouseState& m) {
    std::ostringstream out;
    out << std::hex << std::setfill('0') << std::setw(2) << int(m.dpiRed) << std::setw(2)
        << int(m.dpiGreen) << std::setw(2) << int(m.dpiBlue);
    return out.str();
}

std::optional<std::array<std::uint8_t, 3>> parseColour(const std::string& text) {
    if (text.size() != 6)
        return std::nullopt;
    std::array<std::uint8_t, 3> rgb{};
    for (std::size_t i = 0; i < 3; ++i) {
        unsigned v = 0;
        for (char c : text.substr(i * 2, 2)) {
            const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                              : (c | 0x20) >= 'a' && (c | 0x20) <= 'f'    ? (c | 0x20) - 'a' + 10
                                                                          : -1;
            if (digit < 0)
                return std::nullopt;
            v = v * 16 + unsigned(digit);
        }
        rgb[i] = std::uint8_t(v);
    }
    return rgb;
}

int showDpi(Context& ctx) {
    link::DeviceLink link(ctx.backend);
    int code = kExitOk;
    const auto opened = openMouse(ctx, link, code);
    if (!opened)
        return code;
    const link::DeviceInfo& info = opened->info;
    const link::MouseState& state = opened->state;
    const mouse::DpiRange range = mouse::dpiRangeOf(info);
    const link::MouseModel model = link::mouseModelOf(
        link::findProduct(link.hid.attributes().vendorId, link.hid.attributes().productId));
    ctx.out << "slot " << int(state.slot) << ", DPI " << range.lowestDpi << ".."
            << mouse::stageDpi(range, range.highestLevel) << " in steps of " << int(range.step)
            << "\n";
    for (int stage = 0; stage < mouse::stagesShown(model); ++stage) {
        ctx.out << "stage " << stage + 1 << ": "
                << mouse::stageDpi(range, state.dpiLevels[std::size_t(stage)])
                << (stage == state.dpiStage ? "  (current)" : "") << "\n";
    }
    ctx.out << "colour " << hexColour(state) << "\n";
    if (state.reportRate < mouse::kReportRatesHz.size())
        ctx.out << "report rate " << mouse::kReportRatesHz[state.reportRate] << " Hz\n";
    else
        ctx.out << "report rate item " << int(state.reportRate) << "\n";
    ctx.out << "lift-off " << int(state.liftOff) << "\n";
    return kExitOk;
}

int setDpi(Context& ctx, const DpiChange& change) {
    if (change.dpi && change.stage == 0) {
        ctx.err << "quillonctl: --dpi needs --stage\n";
        return kExitUsage;
    }
    std::optional<std::array<std::uint8_t, 3>> colour;
    if (!change.colour.empty() && !(colour = parseColour(change.colour))) {
        ctx.err << "quillonctl: --colour takes six hex digits, RRGGBB\n";
        return kExitUsage;
    }
    std::optional<std::uint8_t> rate;
    if (change.rate && !(rate = mouse::reportRateIndex(*change.rate))) {
        ctx.err << "quillonctl: --rate takes 125, 250, 500 or 1000\n";
        return kExitUsage;
    }
    if (!change.dpi && !colour && !rate && !change.lift) {
        ctx.err << "quillonctl: nothing to set: give --dpi, --colour, --rate or --lift\n";
        return kExitUsage;
    }

    link::DeviceLink link(ctx.backend);
    int code = kExitOk;
    auto opened = openMouse(ctx, link, code);
    if (!opened)
        return code;
    const link::DeviceInfo& info = opened->info;
    link::MouseState& state = opened->state;
    if (change.dpi) {
        const mouse::DpiRange range = mouse::dpiRangeOf(info);
        const unsigned highest = mouse::stageDpi(range, range.highestLevel);
        if (range.step == 0 || *change.dpi < range.lowestDpi || *change.dpi > highest ||
            (*change.dpi - range.lowestDpi) % range.step != 0) {
            ctx.err << "quillonctl: this mouse takes " << range.lowestDpi << ".." << highest
                    << " DPI in steps of " << int(range.step) << "\n";
            return kExitUsage;
        }
        state.dpiLevels[std::size_t(change.stage - 1)] =
            std::uint8_t((*change.dpi - range.lowestDpi) / range.step);
    }
    if (colour) {
        state.dpiRed = (*colour)[0];
        state.dpiGreen = (*colour)[1];
        state.dpiBlue = (*colour)[2];
    }
    if (rate)
        state.reportRate = *rate;
    if (change.lift)
        state.liftOff = std::uint8_t(*change.lift);
    if (const link::Status s = mouse::writeMouseState(link, state); !link::succeeded(s))
        return reportFailure(ctx, "writing the settings", s);
    ctx.out << "mouse settings written to slot " << int(state.slot) << "\n";
    return kExitOk;
}

}  // namespace

void addDpiCommands(CommandSetup& setup) {
    CLI::App* dpi = setup.command(nullptr, "dpi", "the mouse's DPI stages, colour, report rate");
    dpi->require_subcommand(1);
    CLI::App* show = setup.command(dpi, "show", "print the stages, colour, report rate, lift-off");
    setup.onRun(show, showDpi, true);

    auto change = std::make_shared<DpiChange>();
    CLI::App* set = setup.command(dpi, "set", "change the mouse's active settings slot");
    set->add_option("--stage", change->stage, "the stage --dpi sets, 1..6")
        ->check(CLI::Range(1, 6));
    set->add_option("--dpi", change->dpi, "the stage's DPI, within the sensor's range");
    set->add_option("--colour", change->colour, "the DPI light's colour, RRGGBB");
    set->add_option("--rate", change->rate, "report rate in Hz: 125, 250, 500 or 1000");
    set->add_option("--lift", change->lift, "lift-off level")->check(CLI::Range(0, 255));
    setup.onRun(
        set, [change](Context& ctx) { return setDpi(ctx, *change); }, true);
}

}  // namespace quillon::cli
