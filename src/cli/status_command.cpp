// status: what is attached, which variant or model, firmware, active slot.

#include <cstdio>

#include "attach/device_status.h"
#include "cli/command_groups.h"
#include "link/command_report.h"

namespace quillon::cli {
namespace {

using link::DeviceKind;

void printStatus(std::ostream& out, const attach::DeviceStatus& s) {
    char line[160];
    std::snprintf(line, sizeof line, "%-9s", std::string(link::kindName(s.kind)).c_str());
    out << line;
    if (!s.attached) {
        out << "not attached\n";
        return;
    }
    const std::string name = s.product ? std::string(s.product->name) : "unknown product";
    const unsigned productId = s.product ? s.product->productId : 0;
    const unsigned variant = s.product ? s.product->variant : 0;
    if (s.kind == DeviceKind::mousepad)
        std::snprintf(line, sizeof line, "%s (%04x), firmware %04x", name.c_str(), productId,
                      s.firmwareVersion);
    else
        std::snprintf(line, sizeof line, "%s (%04x, %s %u), firmware %04x", name.c_str(), productId,
                      s.kind == DeviceKind::mouse ? "model" : "variant", variant,
                      s.firmwareVersion);
    out << line;
    if (s.keyCount)
        out << ", " << *s.keyCount << " keys";
    if (s.activeSlot) {
        out << ", active slot " << *s.activeSlot;
        if (*s.activeSlot > link::kHighestSlot)
            out << " (not a slot the program uses)";
    } else if (s.kind != DeviceKind::keyboard) {
        out << ", active slot unknown (no answer)";
    }
    out << "\n";
}

int showStatus(Context& ctx) {
    bool any = false;
    for (DeviceKind kind : {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad}) {
        const attach::DeviceStatus s = attach::queryStatus(ctx.backend, kind, ctx.trace);
        any = any || s.attached;
        printStatus(ctx.out, s);
    }
    return any ? kExitOk : kExitFailed;
}

}  // namespace

void addStatusCommand(CommandSetup& setup) {
    CLI::App* status = setup.command(
        nullptr, "status", "what is attached: variant or model, firmware version, active slot");
    setup.onRun(status, showStatus, true);
}

}  // namespace quillon::cli
