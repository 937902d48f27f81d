#pragma once

// Finding a device's interface among the enumerated interfaces: the command
// interface (the scan step of every attach poll, also used by quillonctl) and
// the consumer-control interface the event threads watch, by one scan.

#include <cstdint>

#include "link/device_link.h"

namespace quillon::link {

struct InterfaceWanted {
    DeviceKind kind = DeviceKind::keyboard;
    std::uint16_t vendorId = kVendorId;
    std::uint16_t usagePage = kCommandUsagePage;
    std::uint16_t usage = kCommandUsage;
    // The event interface: only products that have one, opened for reading only.
    bool eventInterface = false;
};

// The command interface a link of `kind` looks for (its match fields).
InterfaceWanted commandInterface(const DeviceLink& link, DeviceKind kind);
// The consumer-control interface of a watched product of `kind`.
InterfaceWanted eventInterface(DeviceKind kind);

// Walks hid.pathList from pathCursor to the end, skipping empty entries.
// Interfaces that cannot be the wanted one are skipped unopened; an interface
// that opens but does not match is closed again. Returns true with `hid` open
// on the first match (pathCursor just past it).
bool openNextInterface(HidDevice& hid, const InterfaceWanted& wanted);

// Enumerate from the start, then openNextInterface. False when nothing
// matched or the enumeration failed (the next round tries again).
bool findInterface(HidDevice& hid, const InterfaceWanted& wanted);

// findInterface for the link's command interface; sets `connected` on success.
bool connectFirst(DeviceLink& link, DeviceKind kind);

}  // namespace quillon::link
