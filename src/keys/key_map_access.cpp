#include "keys/key_map_access.h"

#include <algorithm>

namespace quillon::keys {

int keySlotCount(link::DeviceKind kind, const link::DeviceInfo& info) {
    if (kind == link::DeviceKind::mouse)
        return static_cast<int>(kMouseKeySlots);
    if (kind == link::DeviceKind::keyboard)
        return std::min(static_cast<int>(info.keyCount()), static_cast<int>(kMaxKeyboardKeys));
    return 0;
}

}  // namespace quillon::keys
