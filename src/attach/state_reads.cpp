#include "attach/state_reads.h"

#include <algorithm>
#include <array>

#include "attach/profile_memory.h"
#include "link/device_events.h"
#include "link/protocol.h"
#include "platform/debug_output.h"
#include "profiles/factory_key_defaults.h"
#include "profiles/profile_file.h"

namespace quillon::attach {

using link::Status;
using link::succeeded;

namespace {

// Results of Begin and End change nothing the program keeps; a device that
// did not take them answers the reads below with failures, which are examined.
void frameStart(link::DeviceLink& link) {
    static_cast<void>(link::begin(link));
}
void frameEnd(link::DeviceLink& link) {
    static_cast<void>(link::end(link));
}

template <class State>
void makeCurrent(State& state, const profiles::SlotRecord& record, std::uint8_t slot) {
    static_cast<void>(lighting::fromBytes(std::span<const std::uint8_t>(record), state));
    state.slot = slot;
}

void reportSaveFailure(profiles::ProfileSaveResult r) {
    if (r != profiles::ProfileSaveResult::ok)
        platform::debugOutput("profile file not written");
}

}  // namespace

StateRead readKeyboardState(AttachContext& ctx) {
    link::DeviceLink& link = ctx.keyboardLink;
    frameStart(link);

    link::DeviceInfo info;
    const bool infoRead = succeeded(link::readInfo(link, info));
    if (infoRead)
        ctx.stores.edit([&](StoredData& d) { d.keyboard.info = info; });
    const int keyCount = infoRead ? info.keyCount() : 0;
    if (3 * keyCount > static_cast<int>(kKeyMapSize)) {
        frameEnd(link);  // the sequence is closed even when nothing more is read
        ctx.loop.post([&skin = ctx.skin] { skin.showMessage("message_text_11"); });
        return StateRead::tooManyKeys;
    }

    KeyMap buffer{};
    bool baseRead = false;
    // Without the key count the block length is unknown: no key-map reads.
    if (infoRead) {
        link.blockLength = static_cast<std::uint16_t>(3 * keyCount);
        ctx.stores.read([&](const StoredData& d) { buffer = d.keyboard.baseKeyMap; });
        baseRead = succeeded(link::readKeymapBase(link, buffer));
        if (baseRead)
            ctx.stores.edit([&](StoredData& d) { d.keyboard.baseKeyMap = buffer; });
        ctx.stores.read([&](const StoredData& d) { buffer = d.keyboard.slotKeyMaps[0]; });
        if (succeeded(link::readKeymapSlot(link, buffer, 0)))
            ctx.stores.edit([&](StoredData& d) { d.keyboard.slotKeyMaps[0] = buffer; });
    }

    profiles::SlotRecord slot0{};
    ctx.stores.read([&](const StoredData& d) { slot0 = d.keyboard.slots[0]; });
    ctx.lighting.edit([&](lighting::LightingRecords& r) { makeCurrent(r.keyboard, slot0, 0); });
    frameEnd(link);

    if (baseRead) {
        ctx.loop.post([&ctx, keyCount] { ctx.events.publish(link::KeyboardKeyMapRead{keyCount}); });
    }
    const int selected = ctx.profiles.index(profiles::ProfileListId::keyboardKeys).select();
    // A missing key profile leaves the key map read from the device.
    static_cast<void>(loadListProfile(ctx, profiles::ProfileListId::keyboardKeys, selected));
    return StateRead::done;
}

bool storeKeyboardDefaultKeys(AttachContext& ctx) {
    KeyMap buffer{};
    ctx.stores.read([&](const StoredData& d) { buffer = d.keyboard.baseKeyMap; });
    frameStart(ctx.keyboardLink);
    const bool read = succeeded(link::readKeymapBase(ctx.keyboardLink, buffer));
    frameEnd(ctx.keyboardLink);
    if (!read)
        return false;
    ctx.stores.edit([&](StoredData& d) { d.keyboard.baseKeyMap = buffer; });

    const bool written = platform::succeeded(profiles::storeKeyboardDefaultKeys(
        ctx.profiles.folders, ctx.profiles.ini.locks(),
        link::variantByte(ctx.identity.keyboardVariant.load()), buffer));

    int keyCount = 0;
    ctx.stores.read([&](const StoredData& d) { keyCount = d.keyboard.info.keyCount(); });
    // The key views belong to the GUI thread.
    ctx.loop.post([&ctx, keyCount] { ctx.events.publish(link::KeyboardKeyMapRead{keyCount}); });
    return written;
}

void readMouseState(AttachContext& ctx) {
    link::DeviceLink& link = ctx.mouseLink;
    frameStart(link);

    link::DeviceInfo info;
    bool answered = succeeded(link::readInfo(link, info));
    if (answered)
        ctx.stores.edit([&](StoredData& d) { d.mouse.info = info; });

    KeyMap buffer{};
    ctx.stores.read([&](const StoredData& d) { buffer = d.mouse.baseKeyMap; });
    if (succeeded(link::readKeymapBase(link, buffer))) {
        answered = true;
        ctx.stores.edit([&](StoredData& d) { d.mouse.baseKeyMap = buffer; });
    }
    bool slot0Read = false;
    for (int slot = 0; slot < static_cast<int>(kSlotCount); ++slot) {
        ctx.stores.read(
            [&](const StoredData& d) { buffer = d.mouse.slotKeyMaps[std::size_t(slot)]; });
        if (!succeeded(link::readKeymapSlot(link, buffer, slot)))
            continue;
        ctx.stores.edit([&](StoredData& d) { d.mouse.slotKeyMaps[std::size_t(slot)] = buffer; });
        answered = true;
        if (slot == 0)
            slot0Read = true;
    }

    profiles::SlotRecord slot0{};
    ctx.stores.read([&](const StoredData& d) { slot0 = d.mouse.slots[0]; });
    ctx.lighting.edit([&](lighting::LightingRecords& r) { makeCurrent(r.mouse, slot0, 0); });
    frameEnd(link);

    // A mouse that answered nothing leaves the user's files as they are.
    if (answered)
        reportSaveFailure(saveFirstSlotProfile(ctx, link::DeviceKind::mouse));
    // Only a key map that arrived replaces the key profile's file.
    if (slot0Read)
        reportSaveFailure(saveListProfile(ctx, profiles::ProfileListId::mouseKeys));
}

void readMouseSettings(AttachContext& ctx) {
    link::DeviceLink& link = ctx.mouseLink;
    lighting::MouseState current;
    ctx.lighting.read([&](const lighting::LightingRecords& r) { current = r.mouse; });
    if (current.slot <= kHighestSlot) {
        const auto bytes = lighting::toBytes(current);
        ctx.stores.edit([&](StoredData& d) {
            std::copy(bytes.begin(), bytes.end(), d.mouse.slots[current.slot].begin());
        });
    }

    std::array<std::uint8_t, kSlotPayloadSize> record{};
    // The one-byte read is what the mouse expects first; its answer is not used.
    static_cast<void>(link::readSettings(link, 0, std::span(record).first(1)));
    if (!succeeded(link::readSettings(link, 0, record)))
        return;
    record[0] = 0;
    ctx.stores.edit(
        [&](StoredData& d) { std::copy(record.begin(), record.end(), d.mouse.slots[0].begin()); });
    profiles::SlotRecord slot0{};
    ctx.stores.read([&](const StoredData& d) { slot0 = d.mouse.slots[0]; });
    ctx.lighting.edit([&](lighting::LightingRecords& r) { makeCurrent(r.mouse, slot0, 0); });
    reportSaveFailure(saveFirstSlotProfile(ctx, link::DeviceKind::mouse));
}

void readMousepadState(AttachContext& ctx) {
    link::DeviceLink& link = ctx.mousepadLink;
    frameStart(link);

    link::DeviceInfo info;
    if (succeeded(link::readInfo(link, info)))
        ctx.stores.edit([&](StoredData& d) { d.mousepad.info = info; });

    std::array<std::uint8_t, kSlotPayloadSize> record{};
    bool slot0Read = false;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (!succeeded(link::readSettings(link, std::uint16_t(slot * kSlotStride), record)))
            continue;
        slot0Read = slot0Read || slot == 0;
        ctx.stores.edit([&](StoredData& d) {
            std::copy(record.begin(), record.end(), d.mousepad.slots[slot].begin());
        });
    }

    std::array<std::uint8_t, 1> active{};
    // An unanswered read or a slot the table does not have changes nothing.
    if (succeeded(link::readSettings(link, 0, active)) && active[0] <= kHighestSlot) {
        profiles::SlotRecord current{};
        ctx.stores.read([&](const StoredData& d) { current = d.mousepad.slots[active[0]]; });
        ctx.lighting.edit(
            [&](lighting::LightingRecords& r) { makeCurrent(r.mousepad, current, active[0]); });
    }
    frameEnd(link);

    // The profile takes slot 0's record only when the mousepad sent it now.
    if (slot0Read)
        reportSaveFailure(saveFirstSlotProfile(ctx, link::DeviceKind::mousepad));
}

void readMousepadActiveSlot(AttachContext& ctx) {
    link::DeviceLink& link = ctx.mousepadLink;
    lighting::MousepadState current;
    ctx.lighting.read([&](const lighting::LightingRecords& r) { current = r.mousepad; });
    if (current.slot <= kHighestSlot) {
        const auto bytes = lighting::toBytes(current);
        ctx.stores.edit([&](StoredData& d) {
            std::copy(bytes.begin(), bytes.end(), d.mousepad.slots[current.slot].begin());
        });
    }

    std::array<std::uint8_t, 1> active{};
    if (!succeeded(link::readSettings(link, 0, active)) || active[0] > kHighestSlot)
        return;
    const std::uint8_t c = active[0];
    std::array<std::uint8_t, kSlotPayloadSize> record{};
    if (!succeeded(link::readSettings(link, std::uint16_t(c * kSlotStride), record)))
        return;
    record[0] = c;
    profiles::SlotRecord stored{};
    ctx.stores.edit([&](StoredData& d) {
        std::copy(record.begin(), record.end(), d.mousepad.slots[c].begin());
        stored = d.mousepad.slots[c];
    });
    ctx.lighting.edit([&](lighting::LightingRecords& r) { makeCurrent(r.mousepad, stored, c); });
    reportSaveFailure(saveFirstSlotProfile(ctx, link::DeviceKind::mousepad));
}

}  // namespace quillon::attach
