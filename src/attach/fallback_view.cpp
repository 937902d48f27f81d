#include "attach/fallback_view.h"

#include <array>

#include "attach/attach_controls.h"

namespace quillon::attach {

using link::DeviceKind;

FallbackView fallbackView(DeviceKind leaving, const AttachedKinds& attached) {
    // The kinds each leaving kind looks at, in order.
    std::array<DeviceKind, 2> order{};
    switch (leaving) {
        case DeviceKind::keyboard:
            order = {DeviceKind::mouse, DeviceKind::mousepad};
            break;
        case DeviceKind::mouse:
            order = {DeviceKind::keyboard, DeviceKind::mousepad};
            break;
        case DeviceKind::mousepad:
            order = {DeviceKind::keyboard, DeviceKind::mouse};
            break;
    }
    for (DeviceKind k : order) {
        switch (k) {
            case DeviceKind::keyboard:
                if (attached.keyboard)
                    return {deviceTab(k, link::variantByte(attached.keyboardVariant)), false};
                break;
            case DeviceKind::mouse:
                if (attached.mouse)
                    return {deviceTab(k, link::variantByte(attached.mouseModel)), false};
                break;
            case DeviceKind::mousepad:
                if (attached.mousepad)
                    return {deviceTab(k, 0), false};
                break;
        }
    }
    return {{}, true};
}

}  // namespace quillon::attach
