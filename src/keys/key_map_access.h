#pragma once

// What the key editor and the key-map transfer need of the records other
// features own: the key maps the attach code reads from the devices, the
// active onboard slot from the lighting state, the key count from the
// information record, and the key profile's content file. The program
// implements it over those records; tests over plain arrays. GUI thread.

#include <cstdint>

#include "keys/key_map.h"
#include "link/device_catalogue.h"
#include "link/device_info.h"

namespace quillon::keys {

class KeyMapAccess {
  public:
    virtual ~KeyMapAccess() = default;

    // The device's own factory map, as last read from it.
    virtual KeyMap factoryMap(link::DeviceKind kind) const = 0;
    // The map of onboard slot 0..4 (profile n is the device's key-map slot n).
    virtual KeyMap slotMap(link::DeviceKind kind, int slot) const = 0;
    virtual void setSlotMap(link::DeviceKind kind, int slot, const KeyMap& map) = 0;
    // The active onboard slot, 0..4: the current profile.
    virtual int activeSlot(link::DeviceKind kind) const = 0;
    virtual link::DeviceInfo deviceInfo(link::DeviceKind kind) const = 0;
    // Writes the selected key profile of the kind; false when it was not written.
    [[nodiscard]] virtual bool saveKeyProfile(link::DeviceKind kind) = 0;
};

inline KeyMap currentMap(const KeyMapAccess& maps, link::DeviceKind kind) {
    return maps.slotMap(kind, maps.activeSlot(kind));
}

// The key slots that matter: the keyboard's key count (at most 170), the mouse's 42.
int keySlotCount(link::DeviceKind kind, const link::DeviceInfo& info);

}  // namespace quillon::keys
