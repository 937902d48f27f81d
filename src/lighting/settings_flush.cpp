#include "lighting/settings_flush.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quillon::lighting {

FlushOutcome flushDirtySettings(LightingSettings& settings, SettingsWriter& writer) {
    using Buffer = std::array<std::uint8_t, kSettingsWriteBytes>;
    std::optional<Buffer> mouse;
    std::optional<Buffer> mousepad;
    settings.edit([&](LightingRecords& r) {
        if (r.mouseDirty) {
            mouse.emplace();
            mouse->fill(0);
            const auto bytes = toBytes(r.mouse);
            std::copy(bytes.begin(), bytes.end(), mouse->begin());
            r.mouseDirty = false;
        }
        if (r.mousepadDirty) {
            mousepad.emplace();
            mousepad->fill(0);
            const auto bytes = toBytes(r.mousepad);
            std::copy(bytes.begin(), bytes.end(), mousepad->begin());
            r.mousepadDirty = false;
        }
    });
    FlushOutcome out;
    auto send = [&](link::DeviceKind kind, const Buffer& bytes, bool LightingRecords::*dirty) {
        if (link::succeeded(writer.writeSettings(kind, bytes)) || !writer.connected(kind))
            return;
        settings.edit([&](LightingRecords& r) { r.*dirty = true; });
    };
    if (mouse) {
        send(link::DeviceKind::mouse, *mouse, &LightingRecords::mouseDirty);
        out.mouseWritten = true;
    }
    if (mousepad) {
        send(link::DeviceKind::mousepad, *mousepad, &LightingRecords::mousepadDirty);
        out.mousepadWritten = true;
    }
    return out;
}

}  // namespace quillon::lighting
