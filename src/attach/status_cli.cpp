#include "attach/status_cli.h"

#include <array>
#include <cstdio>

#include "attach/device_stores.h"
#include "link/device_identity.h"
#include "link/interface_scan.h"
#include "link/protocol.h"

namespace quillon::attach {

using link::DeviceKind;

DeviceStatus queryStatus(platform::HidBackend& backend, DeviceKind kind, link::ReportTrace* trace) {
    DeviceStatus status;
    status.kind = kind;
    link::DeviceLink link(backend);
    link.setMatch(kind);
    link.hid.setTrace(trace);
    if (!link::connectFirst(link, kind))
        return status;

    const platform::HidAttributes& attrs = link.hid.attributes();
    status.attached = true;
    status.product = link::findProduct(attrs.vendorId, attrs.productId);
    status.firmwareVersion = attrs.versionNumber;
    const std::uint8_t variant = status.product != nullptr ? status.product->variant : 0;
    switch (kind) {
        case DeviceKind::keyboard: {
            status.presentCode = link::keyboardPresentCode(link::keyboardVariantOf(variant));
            link::DeviceInfo info;
            if (link::succeeded(link::readInfo(link, info)))
                status.keyCount = info.keyCount();
            break;
        }
        case DeviceKind::mouse:
            status.presentCode = link::mousePresentCode(link::mouseModelOf(variant));
            [[fallthrough]];
        case DeviceKind::mousepad: {
            if (kind == DeviceKind::mousepad)
                status.presentCode = 1;
            std::array<std::uint8_t, 1> active{};
            if (link::succeeded(link::readSettings(link, 0, active)))
                status.activeSlot = active[0];
            break;
        }
    }
    return status;
}

namespace {

void printStatus(std::ostream& out, const DeviceStatus& s) {
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
        if (*s.activeSlot > kHighestSlot)
            out << " (not a slot the program uses)";
    } else if (s.kind != DeviceKind::keyboard) {
        out << ", active slot unknown (no answer)";
    }
    out << "\n";
}

}  // namespace

int showStatus(cli::Context& ctx, cli::Args args) {
    if (!args.empty()) {
        ctx.err << "quillonctl: status takes no arguments\n";
        return 2;
    }
    bool any = false;
    for (DeviceKind kind : {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad}) {
        const DeviceStatus s = queryStatus(ctx.backend, kind, ctx.trace);
        any = any || s.attached;
        printStatus(ctx.out, s);
    }
    return any ? 0 : 1;
}

}  // namespace quillon::attach
