#include "keys/macro_key_fixup.h"

namespace quillon::keys {

namespace {

constexpr int kProfiles = 5;

bool isMacroAssignment(const KeyAssignment& a) {
    return a.type == FN_MACRO || a.type == FN_MACRO_COUNT;
}

int slotsChecked(const KeyMapAccess& maps, link::DeviceKind kind) {
    if (kind == link::DeviceKind::mouse)
        return int(kMouseButtons);
    return keySlotCount(kind, maps.deviceInfo(kind));
}

}  // namespace

bool keysUseMacro(const KeyMapAccess& maps, link::DeviceKind kind, int macro) {
    const int slots = slotsChecked(maps, kind);
    for (int profile = 0; profile < kProfiles; ++profile) {
        const KeyMap map = maps.slotMap(kind, profile);
        for (int s = 0; s < slots; ++s) {
            const KeyAssignment a = assignmentAt(map, std::size_t(s));
            if (isMacroAssignment(a) && a.p1 == macro)
                return true;
        }
    }
    return false;
}

bool fixUpKeysAfterMacroDelete(KeyMapAccess& maps, link::DeviceKind kind, int macro) {
    const int slots = slotsChecked(maps, kind);
    const KeyMap factory = maps.factoryMap(kind);
    for (int profile = 0; profile < kProfiles; ++profile) {
        KeyMap map = maps.slotMap(kind, profile);
        bool changed = false;
        for (int s = 0; s < slots; ++s) {
            KeyAssignment a = assignmentAt(map, std::size_t(s));
            if (!isMacroAssignment(a) || a.p1 < macro)
                continue;
            if (a.p1 == macro)
                a = assignmentAt(factory, std::size_t(s));
            else
                --a.p1;
            (void)setAssignment(map, std::size_t(s), a);  // s is below the record's slots
            changed = true;
        }
        if (changed)
            maps.setSlotMap(kind, profile, map);
    }
    return maps.saveKeyProfile(kind);
}

}  // namespace quillon::keys
