#pragma once

// The command channel to one device kind (keyboard, mouse or mousepad): the
// open command interface, what the attach poll accepts, and the lock that
// lets the GUI thread, the attach thread and the lighting threads share the
// device.

#include <atomic>
#include <cstdint>
#include <mutex>

#include "link/device_catalogue.h"
#include "link/flag_watch.h"
#include "link/hid_device.h"

namespace quillon::link {

inline constexpr std::uint16_t kDefaultBlockLength = 512;

struct DeviceLink {
    explicit DeviceLink(platform::HidBackend& backend) : hid(backend) {}
    ~DeviceLink() { connected = 0; }
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Bytes moved by a key-map block transfer; the keyboard attach sets 3 × keys.
    std::atomic<std::uint16_t> blockLength{kDefaultBlockLength};
    std::uint16_t matchVendorId = 0;
    std::uint16_t matchProductId = 0;
    std::uint16_t matchUsage = 0;
    std::uint16_t matchUsagePage = 0;
    // Written by the attach thread under the lock, read without it elsewhere.
    std::atomic<int> connected{0};
    // Set while the synchronised lighting drives this device.
    std::atomic<int> syncLighting{0};
    // Told after `connected` changes and after synchronised lighting starts,
    // so the lighting threads can wait instead of polling (nullptr: nobody
    // waits). Set before the threads start.
    FlagWatch* flagWatch = nullptr;
    HidDevice hid;
    // Held for a whole request and its answer, and for a whole attach poll.
    std::recursive_mutex lock;

    void announceFlags() {
        if (flagWatch != nullptr)
            flagWatch->announce();
    }

    // The match fields every link of the family uses.
    void setMatch(DeviceKind kind) {
        matchVendorId = kVendorId;
        matchProductId = primaryProductId(kind);
        matchUsagePage = kCommandUsagePage;
        matchUsage = kCommandUsage;
        connected = 0;
    }
};

}  // namespace quillon::link
