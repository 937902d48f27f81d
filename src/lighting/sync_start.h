#pragma once

// Starting synchronised lighting from a device's same-mode button: the
// device's lighting record is copied to the other two devices and to
// SyncRecord, their views and profiles follow, and every link is handed to
// the synchronised thread, attached or not.

#include <array>
#include <atomic>
#include <optional>
#include <string_view>

#include "lighting/lighting_settings.h"
#include "link/device_catalogue.h"

namespace quillon::lighting {

// The device whose button `control` is: `kb_deng_same_mode`,
// `ms_deng_same_mode` or `mp_deng_same_mode`.
std::optional<link::DeviceKind> syncButtonSource(std::string_view control);

// Copies all eight bytes of the source's record to the other two devices and
// to SyncRecord. Returns the two overwritten devices in the order their views
// are refreshed and their profiles saved.
std::array<link::DeviceKind, 2> copySyncRecords(link::DeviceKind source, LightingRecords& records);

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

struct SyncLinkFlags {
    std::atomic<int>& keyboard;
    std::atomic<int>& mouse;
    std::atomic<int>& mousepad;
};

// GUI thread. The records are copied under the settings lock; views and
// profiles follow outside it; then all three flags are set.
void startSynchronisation(link::DeviceKind source, LightingSettings& settings, SyncLinkFlags flags,
                          SyncStartViews& views);

}  // namespace quillon::lighting
