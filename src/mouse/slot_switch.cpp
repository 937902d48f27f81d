#include "mouse/slot_switch.h"

#include <algorithm>
#include <array>

#include "link/protocol.h"

namespace quillon::mouse {

namespace {

using link::DeviceKind;

attach::SlotTable& tableOf(attach::StoredData& d, DeviceKind kind) {
    return kind == DeviceKind::mouse ? d.mouse.slots : d.mousepad.slots;
}

// The state record's bytes into a table row, and a row into the state.
template <class State>
void storeState(const State& state, profiles::SlotRecord& row) {
    const auto bytes = lighting::toBytes(state);
    std::copy(bytes.begin(), bytes.end(), row.begin());
}
template <class State>
void takeRow(const profiles::SlotRecord& row, State& state, std::uint8_t slot) {
    static_cast<void>(lighting::fromBytes(std::span<const std::uint8_t>(row), state));
    state.slot = slot;
}

}  // namespace

SlotSwitch switchSlot(DeviceKind kind, link::DeviceLink& link, lighting::LightingSettings& lighting,
                      attach::DeviceStores& stores, int slot) {
    if (slot < 0 || slot > attach::kHighestSlot)
        return SlotSwitch::notASlot;
    const auto target = static_cast<std::uint8_t>(slot);

    std::array<std::uint8_t, 1> active{};
    if (!link::succeeded(link::readSettings(link, 0, active)))
        return SlotSwitch::noAnswer;
    if (active[0] == target)
        return SlotSwitch::alreadyActive;
    if (active[0] > attach::kHighestSlot)
        return SlotSwitch::badActiveSlot;

    const lighting::LightingRecords now = lighting.snapshot();
    stores.edit([&](attach::StoredData& d) {
        profiles::SlotRecord& row = tableOf(d, kind)[active[0]];
        if (kind == DeviceKind::mouse)
            storeState(now.mouse, row);
        else
            storeState(now.mousepad, row);
    });

    const std::array<std::uint8_t, 1> select{target};
    if (!link::succeeded(link::writeSettings(link, select)))
        return SlotSwitch::noAnswer;
    std::array<std::uint8_t, attach::kSlotPayloadSize> record{};
    if (!link::succeeded(
            link::readSettings(link, std::uint16_t(target * attach::kSlotStride), record)))
        return SlotSwitch::noAnswer;

    profiles::SlotRecord row{};
    stores.edit([&](attach::StoredData& d) {
        profiles::SlotRecord& stored = tableOf(d, kind)[target];
        std::copy(record.begin(), record.end(), stored.begin());
        row = stored;
    });
    lighting.edit([&](lighting::LightingRecords& r) {
        if (kind == DeviceKind::mouse)
            takeRow(row, r.mouse, target);
        else
            takeRow(row, r.mousepad, target);
    });
    return SlotSwitch::switched;
}

}  // namespace quillon::mouse
