#include "app/attach_mouse_records.h"

#include <algorithm>

namespace quillon::app {

namespace {

using link::DeviceKind;

attach::SlotTable& tableOf(attach::StoredData& d, DeviceKind kind) {
    return kind == DeviceKind::mouse ? d.mouse.slots : d.mousepad.slots;
}

// The state record's bytes into a table row, and a row into the state.
template <class State>
void storeState(const State& state, profiles::SlotRecord& row) {
    const auto bytes = link::toBytes(state);
    std::copy(bytes.begin(), bytes.end(), row.begin());
}
template <class State>
void takeRow(const profiles::SlotRecord& row, State& state, std::uint8_t slot) {
    static_cast<void>(link::fromBytes(std::span<const std::uint8_t>(row), state));
    state.slot = slot;
}

}  // namespace

link::MouseState AttachMouseRecords::mouseState() const {
    return lighting_.read([](const lighting::LightingRecords& r) { return r.mouse; });
}

void AttachMouseRecords::changeMouseState(const std::function<void(link::MouseState&)>& change) {
    lighting_.edit([&](lighting::LightingRecords& r) {
        change(r.mouse);
        r.mouseDirty = true;
    });
}

std::uint8_t AttachMouseRecords::activeSlot(DeviceKind kind) const {
    return lighting_.read([&](const lighting::LightingRecords& r) {
        return kind == DeviceKind::mousepad ? r.mousepad.slot : r.mouse.slot;
    });
}

void AttachMouseRecords::dropPendingWrite(DeviceKind kind) {
    lighting_.edit([&](lighting::LightingRecords& r) {
        (kind == DeviceKind::mousepad ? r.mousepadDirty : r.mouseDirty) = false;
    });
}

link::DeviceInfo AttachMouseRecords::mouseInfo() const {
    return stores_.read([](const attach::StoredData& d) { return d.mouse.info; });
}

profiles::MouseSystemSettings AttachMouseRecords::systemSettings() const {
    return stores_.read([](const attach::StoredData& d) { return d.mouseSystem; });
}

void AttachMouseRecords::changeSystemSettings(
    const std::function<void(profiles::MouseSystemSettings&)>& change) {
    stores_.edit([&](attach::StoredData& d) { change(d.mouseSystem); });
}

void AttachMouseRecords::keepInSlotTable(DeviceKind kind, std::uint8_t slot) {
    if (slot > attach::kHighestSlot)
        return;
    const lighting::LightingRecords now = lighting_.snapshot();
    stores_.edit([&](attach::StoredData& d) {
        profiles::SlotRecord& row = tableOf(d, kind)[slot];
        if (kind == DeviceKind::mouse)
            storeState(now.mouse, row);
        else
            storeState(now.mousepad, row);
    });
}

void AttachMouseRecords::takeSlotRecord(DeviceKind kind, std::uint8_t slot,
                                        std::span<const std::uint8_t> record) {
    if (slot > attach::kHighestSlot)
        return;
    profiles::SlotRecord row{};
    stores_.edit([&](attach::StoredData& d) {
        profiles::SlotRecord& stored = tableOf(d, kind)[slot];
        std::copy_n(record.begin(), std::min(record.size(), stored.size()), stored.begin());
        row = stored;
    });
    lighting_.edit([&](lighting::LightingRecords& r) {
        if (kind == DeviceKind::mouse)
            takeRow(row, r.mouse, slot);
        else
            takeRow(row, r.mousepad, slot);
    });
}

}  // namespace quillon::app
