#pragma once

// What the program keeps of each device's stored data: its information
// record, its five 64-byte settings slot records, and its key maps (the
// device's own factory map and the maps of its onboard slots). The attach
// threads fill them from answers; the GUI thread reads and edits them. One
// lock guards all of it, held only for copies.

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "link/command_report.h"
#include "link/device_info.h"
#include "profiles/profile_records.h"

namespace quillon::attach {

inline constexpr std::size_t kSlotCount = 5;
inline constexpr std::uint8_t kHighestSlot = link::kHighestSlot;
inline constexpr std::size_t kKeyMapSize = 512;
// The part of a 64-byte slot record the devices hold.
inline constexpr std::size_t kSlotPayloadSize = link::kSettingsSlotBytes;
inline constexpr std::uint16_t kSlotStride = link::kSettingsSlotStride;

using SlotTable = std::array<profiles::SlotRecord, kSlotCount>;
using KeyMap = std::array<std::uint8_t, kKeyMapSize>;

struct KindStore {
    link::DeviceInfo info;
    SlotTable slots{};
    KeyMap baseKeyMap{};
    std::array<KeyMap, kSlotCount> slotKeyMaps{};
};

struct StoredData {
    KindStore keyboard;
    KindStore mouse;
    KindStore mousepad;  // no key maps
    profiles::MouseSystemSettings mouseSystem;
};

class DeviceStores {
  public:
    DeviceStores() = default;
    DeviceStores(const DeviceStores&) = delete;
    DeviceStores& operator=(const DeviceStores&) = delete;

    // Runs f(StoredData&) under the lock. f must not block or call out.
    template <class F>
    decltype(auto) edit(F&& f) {
        std::lock_guard<std::mutex> hold(mutex_);
        return f(data_);
    }
    template <class F>
    decltype(auto) read(F&& f) const {
        std::lock_guard<std::mutex> hold(mutex_);
        return f(static_cast<const StoredData&>(data_));
    }

  private:
    mutable std::mutex mutex_;
    StoredData data_;
};

}  // namespace quillon::attach
