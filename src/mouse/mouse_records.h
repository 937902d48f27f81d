#pragma once

// What the mouse feature needs of the records other features own: the
// current state records of the mouse and the mousepad (which the settings
// flush sends), the mouse's information record, the slot tables, and the
// system settings a mouse profile carries along. The program implements it
// over those records. Each call takes the owner's lock for itself and never
// calls out, so any thread may call.

#include <cstdint>
#include <functional>
#include <span>

#include "link/device_catalogue.h"
#include "link/device_info.h"
#include "link/device_state.h"
#include "profiles/profile_records.h"

namespace quillon::mouse {

class MouseRecords {
  public:
    virtual ~MouseRecords() = default;

    virtual link::MouseState mouseState() const = 0;
    // Runs `change` on the mouse's record under the lock and marks the record
    // for the settings flush. `change` must not block or call out.
    virtual void changeMouseState(const std::function<void(link::MouseState&)>& change) = 0;
    // The slot the current record of the mouse or the mousepad belongs to.
    virtual std::uint8_t activeSlot(link::DeviceKind kind) const = 0;
    // A change still waiting for the settings flush is not sent: the device
    // was reset and its record is read again.
    virtual void dropPendingWrite(link::DeviceKind kind) = 0;

    virtual link::DeviceInfo mouseInfo() const = 0;

    virtual profiles::MouseSystemSettings systemSettings() const = 0;
    // Runs `change` on them under the lock; it must not block or call out.
    virtual void changeSystemSettings(
        const std::function<void(profiles::MouseSystemSettings&)>& change) = 0;

    // The slot switch: the current record goes into the slot table's row
    // `slot`; then the record read from the new slot fills that slot's row and
    // becomes the current record.
    virtual void keepInSlotTable(link::DeviceKind kind, std::uint8_t slot) = 0;
    virtual void takeSlotRecord(link::DeviceKind kind, std::uint8_t slot,
                                std::span<const std::uint8_t> record) = 0;
};

}  // namespace quillon::mouse
