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
#include "link/flag_watch.h"

namespace quillon::lighting {

// The device whose button `control` is: `kb_deng_same_mode`,
// `ms_deng_same_mode` or `mp_deng_same_mode`.
std::optional<link::DeviceKind> syncButtonSource(std::string_view control);

// The devices whose records a synchronisation start overwrote, in the order
// their views are refreshed and their profiles saved.
struct SyncTargets {
    std::array<link::DeviceKind, 2> kinds{};
    std::size_t count = 0;

    const link::DeviceKind* begin() const { return kinds.data(); }
    const link::DeviceKind* end() const { return kinds.data() + count; }
};

// Copies all eight bytes of the source's record to the other two devices and
// to SyncRecord. A one-colour keyboard (`oneColourKeyboard`) is left out: its
// record stays.
SyncTargets copySyncRecords(link::DeviceKind source, LightingRecords& records,
                            bool oneColourKeyboard = false);

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
    // Told once the flags are set (nullptr: nobody waits for them).
    link::FlagWatch* watch = nullptr;
};

// GUI thread. The records are copied under the settings lock; views and
// profiles follow outside it; then the flags are set: all three, or only the
// mouse's and the mousepad's while the keyboard is the one-colour model, which
// keeps its own record, flag and effect.
void startSynchronisation(link::DeviceKind source, LightingSettings& settings, SyncLinkFlags flags,
                          SyncStartViews& views, bool oneColourKeyboard = false);

}  // namespace quillon::lighting
