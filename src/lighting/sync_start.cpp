#include "lighting/sync_start.h"

namespace quillon::lighting {

using link::DeviceKind;

namespace {

LightingRecord& recordOf(LightingRecords& r, DeviceKind k) {
    switch (k) {
        case DeviceKind::mouse:
            return r.mouse.lighting;
        case DeviceKind::mousepad:
            return r.mousepad.lighting;
        case DeviceKind::keyboard:
            break;
    }
    return r.keyboard.lighting;
}

}  // namespace

std::optional<DeviceKind> syncButtonSource(std::string_view control) {
    if (control == "kb_deng_same_mode")
        return DeviceKind::keyboard;
    if (control == "ms_deng_same_mode")
        return DeviceKind::mouse;
    if (control == "mp_deng_same_mode")
        return DeviceKind::mousepad;
    return std::nullopt;
}

SyncTargets copySyncRecords(DeviceKind source, LightingRecords& records, bool oneColourKeyboard) {
    constexpr std::array<std::array<DeviceKind, 2>, 3> kOthers{{
        {{DeviceKind::mouse, DeviceKind::mousepad}},     // from the keyboard
        {{DeviceKind::mousepad, DeviceKind::keyboard}},  // from the mouse
        {{DeviceKind::mouse, DeviceKind::keyboard}},     // from the mousepad
    }};
    const LightingRecord chosen = recordOf(records, source);
    records.sync = chosen;
    SyncTargets targets;
    for (DeviceKind other : kOthers[static_cast<std::size_t>(source)]) {
        if (other == DeviceKind::keyboard && oneColourKeyboard)
            continue;
        recordOf(records, other) = chosen;
        targets.kinds[targets.count++] = other;
    }
    return targets;
}

void startSynchronisation(DeviceKind source, LightingSettings& settings, SyncLinkFlags flags,
                          SyncStartViews& views, bool oneColourKeyboard) {
    const SyncTargets others = settings.edit(
        [&](LightingRecords& r) { return copySyncRecords(source, r, oneColourKeyboard); });
    for (DeviceKind other : others)
        views.refreshView(other);
    for (DeviceKind other : others)
        views.saveProfile(other);
    // Attached or not: a device that arrives later joins at once.
    if (!oneColourKeyboard)
        flags.keyboard = 1;
    flags.mouse = 1;
    flags.mousepad = 1;
    if (flags.watch != nullptr)
        flags.watch->announce();
}

}  // namespace quillon::lighting
