#include "lighting/sync_start.h"

#include <array>

namespace quillon::lighting {

using link::DeviceKind;

std::optional<DeviceKind> syncButtonSource(std::string_view control) {
    if (control == "kb_deng_same_mode") return DeviceKind::keyboard;
    if (control == "ms_deng_same_mode") return DeviceKind::mouse;
    if (control == "mp_deng_same_mode") return DeviceKind::mousepad;
    return std::nullopt;
}

void startSynchronisation(DeviceKind source, const SyncTargets& t, SyncStartViews& views) {
    auto recordOf = [&](DeviceKind k) -> LightingRecord& {
        switch (k) {
            case DeviceKind::mouse: return t.mouse;
            case DeviceKind::mousepad: return t.mousepad;
            case DeviceKind::keyboard: break;
        }
        return t.keyboard;
    };
    const LightingRecord chosen = recordOf(source);  // all eight bytes
    t.sync = chosen;
    // The other two devices in the order their views are refreshed.
    constexpr std::array<std::array<DeviceKind, 2>, 3> kOthers{{
        {{DeviceKind::mouse, DeviceKind::mousepad}},     // from the keyboard
        {{DeviceKind::mousepad, DeviceKind::keyboard}},  // from the mouse
        {{DeviceKind::mouse, DeviceKind::keyboard}},     // from the mousepad
    }};
    for (DeviceKind other : kOthers[static_cast<std::size_t>(source)]) {
        recordOf(other) = chosen;
        views.refreshView(other);
    }
    for (DeviceKind other : kOthers[static_cast<std::size_t>(source)]) views.saveProfile(other);
    t.keyboardSyncLighting = 1;
    t.mouseSyncLighting = 1;
    t.mousepadSyncLighting = 1;
}

}  // namespace quillon::lighting
