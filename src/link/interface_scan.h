#pragma once

// Finding a device's command interface among the enumerated paths: the scan
// step of every attach poll, also used by quillonctl.

#include "link/device_link.h"

namespace quillon::link {

// Walks link.hid.pathList from pathCursor to the end, skipping empty entries.
// Paths of another vendor are skipped unopened; an interface that opens but
// is not an accepted product's command collection is closed again. Returns
// true with link.hid open on the first match (pathCursor just past it).
bool openNextCommandInterface(DeviceLink& link, DeviceKind kind);

// Enumerate, then openNextCommandInterface; sets `connected` on success.
// False when nothing matched or the enumeration failed.
bool connectFirst(DeviceLink& link, DeviceKind kind);

}  // namespace quillon::link
