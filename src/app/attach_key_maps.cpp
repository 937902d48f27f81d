#include "app/attach_key_maps.h"

namespace quillon::app {

namespace {

using attach::KindStore;
using attach::StoredData;

const KindStore& storeOf(const StoredData& d, link::DeviceKind kind) {
    return kind == link::DeviceKind::mouse ? d.mouse : d.keyboard;
}
KindStore& storeOf(StoredData& d, link::DeviceKind kind) {
    return kind == link::DeviceKind::mouse ? d.mouse : d.keyboard;
}

std::size_t slotIndex(int slot) {
    // A slot the tables do not have counts as the first.
    return slot >= 0 && slot <= attach::kHighestSlot ? std::size_t(slot) : 0;
}

}  // namespace

keys::KeyMap AttachKeyMaps::factoryMap(link::DeviceKind kind) const {
    return attach_.stores().read([&](const StoredData& d) { return storeOf(d, kind).baseKeyMap; });
}

keys::KeyMap AttachKeyMaps::slotMap(link::DeviceKind kind, int slot) const {
    return attach_.stores().read(
        [&](const StoredData& d) { return storeOf(d, kind).slotKeyMaps[slotIndex(slot)]; });
}

void AttachKeyMaps::setSlotMap(link::DeviceKind kind, int slot, const keys::KeyMap& map) {
    attach_.stores().edit(
        [&](StoredData& d) { storeOf(d, kind).slotKeyMaps[slotIndex(slot)] = map; });
}

int AttachKeyMaps::activeSlot(link::DeviceKind kind) const {
    const std::uint8_t slot = lighting_.read([&](const lighting::LightingRecords& r) {
        return kind == link::DeviceKind::mouse ? r.mouse.slot : r.keyboard.slot;
    });
    return static_cast<int>(slotIndex(slot));
}

link::DeviceInfo AttachKeyMaps::deviceInfo(link::DeviceKind kind) const {
    return attach_.stores().read([&](const StoredData& d) { return storeOf(d, kind).info; });
}

bool AttachKeyMaps::saveKeyProfile(link::DeviceKind kind) {
    const auto list = kind == link::DeviceKind::mouse ? profiles::ProfileListId::mouseKeys
                                                      : profiles::ProfileListId::keyboardKeys;
    return attach_.saveListProfile(list) == profiles::ProfileSaveResult::ok;
}

}  // namespace quillon::app
