#include "attach/fallback_view.h"

#include <array>

namespace quillon::attach {

using link::DeviceKind;

std::string_view tabOf(DeviceKind kind, std::uint8_t variant) {
    for (const link::Product& p : link::kProducts)
        if (p.kind == kind && p.variant == variant)
            return p.tab;
    return {};
}

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
                    return {tabOf(k, link::variantByte(attached.keyboardVariant)), false};
                break;
            case DeviceKind::mouse:
                if (attached.mouse)
                    return {tabOf(k, link::variantByte(attached.mouseModel)), false};
                break;
            case DeviceKind::mousepad:
                if (attached.mousepad)
                    return {tabOf(k, 0), false};
                break;
        }
    }
    return {{}, true};
}

}  // namespace quillon::attach
