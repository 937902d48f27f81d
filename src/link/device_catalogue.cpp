#include "link/device_catalogue.h"

namespace quillon::link {

std::optional<DeviceKind> parseKindName(std::string_view name) {
    for (DeviceKind k : {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad})
        if (kindName(k) == name) return k;
    return std::nullopt;
}

}  // namespace quillon::link
