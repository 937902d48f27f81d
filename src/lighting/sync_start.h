#pragma once

// Starting synchronised lighting from a device's same-mode button: the
// device's lighting record is copied to the other two devices and to
// SyncRecord, their views and profiles follow, and every link is handed to
// the synchronised thread, attached or not.

#include <atomic>
#include <optional>
#include <string_view>

#include "lighting/lighting_record.h"
#include "link/device_catalogue.h"

namespace quillon::lighting {

// The device whose button `control` is: `kb_deng_same_mode`,
// `ms_deng_same_mode` or `mp_deng_same_mode`.
std::optional<link::DeviceKind> syncButtonSource(std::string_view control);

struct SyncTargets {
    LightingRecord& keyboard;
    LightingRecord& mouse;
    LightingRecord& mousepad;
    LightingRecord& sync;
    std::atomic<int>& keyboardSyncLighting;
    std::atomic<int>& mouseSyncLighting;
    std::atomic<int>& mousepadSyncLighting;
};

// What the window does for each device whose record was overwritten.
class SyncStartViews {
public:
    virtual ~SyncStartViews() = default;
    virtual void refreshView(link::DeviceKind kind) = 0;
    virtual void saveProfile(link::DeviceKind kind) = 0;

protected:
    SyncStartViews() = default;
    SyncStartViews(const SyncStartViews&) = default;
    SyncStartViews& operator=(const SyncStartViews&) = default;
};

void startSynchronisation(link::DeviceKind source, const SyncTargets& targets, SyncStartViews& views);

}  // namespace quillon::lighting
