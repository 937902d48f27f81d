#include "attach/device_status.h"

#include <array>

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

}  // namespace quillon::attach
