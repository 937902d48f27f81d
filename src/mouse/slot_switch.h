#pragma once

// Switching the onboard settings slot of the mouse or the mousepad: the
// current state record goes into the table row of the slot the device reports
// active, the device makes the new slot active, and the new slot's record is
// read and becomes the current state. No profile file is written. Runs away
// from the GUI thread; each exchange takes the link's lock for itself.

#include "link/device_catalogue.h"
#include "link/device_link.h"
#include "mouse/mouse_records.h"

namespace quillon::mouse {

enum class [[nodiscard]] SlotSwitch{
    switched,
    alreadyActive,  // the device reports that slot active: nothing more sent
    notASlot,       // above the table: nothing sent
    badActiveSlot,  // the device reported a slot above the table: nothing changed
    noAnswer,       // an exchange failed: nothing changed from there on
};

// `kind` is the mouse or the mousepad.
SlotSwitch switchSlot(link::DeviceKind kind, link::DeviceLink& link, MouseRecords& records,
                      int slot);

}  // namespace quillon::mouse
