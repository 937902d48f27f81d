#pragma once

// The mouse performance view headless: the in-memory skin, the records it
// edits, and a desktop that records what it was given.

#include <mutex>
#include <vector>

#include "app/attach_mouse_records.h"
#include "attach/device_stores.h"
#include "lighting/colour_tables.h"
#include "lighting/lighting_settings.h"
#include "link/device_identity.h"
#include "mouse/dpi_view.h"
#include "mouse/pointer_applier.h"
#include "platform/pointer/pointer_settings.h"
#include "shell/notification_router.h"
#include "skin/memory_skin.h"

namespace quillon::mouse::testing {

class RecordingDesktop final : public platform::PointerSettings {
  public:
    platform::PointerResult setPointerSpeed(std::uint8_t speed) override {
        std::lock_guard hold(mutex_);
        speeds_.push_back(speed);
        return platform::PointerResult::applied;
    }
    platform::PointerResult setWheelLines(int lines) override {
        std::lock_guard hold(mutex_);
        lines_.push_back(lines);
        return platform::PointerResult::unsupported;
    }
    std::vector<int> speeds() const {
        std::lock_guard hold(mutex_);
        return speeds_;
    }
    std::vector<int> lines() const {
        std::lock_guard hold(mutex_);
        return lines_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<int> speeds_;
    std::vector<int> lines_;
};

// A first-model mouse with the 0x3360 sensor: 100 DPI a level, levels 0..119.
inline link::DeviceInfo sensor3360() {
    link::DeviceInfo info;
    info.bytes[9] = 0x60;
    info.bytes[10] = 0x33;
    info.bytes[11] = 100;
    info.bytes[12] = 119;
    info.bytes[13] = 100;
    return info;
}

struct DpiRig {
    DpiRig() {
        skin.setNotificationSink([this](const skin::Notification& n) { router.route(n); });
        view.install(router);
    }
    lighting::MouseState mouse() const {
        return lighting.read([](const lighting::LightingRecords& r) { return r.mouse; });
    }
    bool dirty() const {
        return lighting.read([](const lighting::LightingRecords& r) { return r.mouseDirty; });
    }
    profiles::MouseSystemSettings system() const {
        return stores.read([](const attach::StoredData& d) { return d.mouseSystem; });
    }
    void describeMouse(const link::DeviceInfo& info) {
        stores.edit([&](attach::StoredData& d) { d.mouse.info = info; });
    }

    skin::MemorySkin skin;
    shell::NotificationRouter router;
    lighting::LightingSettings lighting;
    attach::DeviceStores stores;
    app::AttachMouseRecords records{stores, lighting};
    link::DeviceIdentity identity;
    RecordingDesktop desktop;
    PointerApplier pointer{desktop};
    int saves = 0;
    DpiView view{{skin, records, identity, pointer, [this] { ++saves; }, lighting::PresetColours}};
};

}  // namespace quillon::mouse::testing
