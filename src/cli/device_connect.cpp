#include "cli/device_connect.h"

#include "link/interface_scan.h"

namespace quillon::cli {

bool connectDevice(Context& ctx, link::DeviceLink& link, link::DeviceKind kind) {
    link.setMatch(kind);
    link.hid.setTrace(ctx.trace);
    if (!link::connectFirst(link, kind)) {
        ctx.err << "quillonctl: no " << link::kindName(kind) << " found"
                << (ctx.demo ? "" : " (is it plugged in, and may this user open its hidraw node?)")
                << "\n";
        return false;
    }
    return true;
}

int reportFailure(Context& ctx, const char* what, link::Status s) {
    ctx.err << "quillonctl: " << what << " failed: " << link::describe(s) << " (" << link::toInt(s)
            << ")\n";
    return kExitFailed;
}

}  // namespace quillon::cli
