#include "attach/profile_memory.h"

#include <algorithm>
#include <cstring>

namespace quillon::attach {

using profiles::ProfileListId;
using profiles::ProfileReadResult;
using profiles::ProfileSaveResult;

namespace {

template <class Record, std::size_t N>
void recordToBytes(const Record& r, std::array<std::uint8_t, N>& out) {
    static_assert(sizeof(Record) == N);
    std::memcpy(out.data(), &r, N);
}

template <class Record, std::size_t N>
void bytesToRecord(const std::array<std::uint8_t, N>& in, Record& r) {
    static_assert(sizeof(Record) == N);
    std::memcpy(&r, in.data(), N);
}

// The custom colour store as the file holds it: the first four bytes and the sets.
void customToBytes(const lighting::CustomColourStore& c,
                   std::array<std::uint8_t, profiles::kCustomColourStoreSize>& out) {
    out[0] = c.customSet;
    out[1] = c.paintRed;
    out[2] = c.paintGreen;
    out[3] = c.paintBlue;
    for (std::size_t s = 0; s < lighting::kCustomSetCount; ++s)
        std::copy(c.sets[s].begin(), c.sets[s].end(),
                  out.begin() + 4 + s * lighting::kCustomSetBytes);
}

void bytesToCustom(const std::array<std::uint8_t, profiles::kCustomColourStoreSize>& in,
                   lighting::CustomColourStore& c) {
    c.customSet = in[0];
    c.paintRed = in[1];
    c.paintGreen = in[2];
    c.paintBlue = in[3];
    for (std::size_t s = 0; s < lighting::kCustomSetCount; ++s)
        std::copy_n(in.begin() + 4 + s * lighting::kCustomSetBytes, lighting::kCustomSetBytes,
                    c.sets[s].begin());
}

profiles::KeyboardLightingMemory keyboardMemory(AttachContext& ctx) {
    profiles::KeyboardLightingMemory m;
    ctx.lighting.read([&](const lighting::LightingRecords& r) {
        recordToBytes(r.keyboard, m.keyboardState);
        customToBytes(r.custom, m.customColours);
    });
    ctx.stores.read([&](const StoredData& d) { m.firstSlotRecord = d.keyboard.slots[0]; });
    return m;
}

profiles::MouseLightingMemory mouseMemory(AttachContext& ctx) {
    profiles::MouseLightingMemory m;
    ctx.lighting.read(
        [&](const lighting::LightingRecords& r) { recordToBytes(r.mouse, m.mouseState); });
    ctx.stores.read([&](const StoredData& d) {
        m.firstSlotRecord = d.mouse.slots[0];
        m.pointerSpeed = d.mouseSystem.pointerSpeed;
        m.wheelLines = d.mouseSystem.wheelLines;
    });
    return m;
}

profiles::MousepadLightingMemory mousepadMemory(AttachContext& ctx) {
    profiles::MousepadLightingMemory m;
    ctx.lighting.read(
        [&](const lighting::LightingRecords& r) { recordToBytes(r.mousepad, m.mousepadState); });
    ctx.stores.read([&](const StoredData& d) { m.firstSlotRecord = d.mousepad.slots[0]; });
    return m;
}

KeyMap& keyMapOfSlot0(StoredData& d, ProfileListId list) {
    return list == ProfileListId::keyboardKeys ? d.keyboard.slotKeyMaps[0] : d.mouse.slotKeyMaps[0];
}

}  // namespace

ProfileReadResult loadListProfile(AttachContext& ctx, ProfileListId list, int row) {
    switch (list) {
        case ProfileListId::keyboardLighting: {
            profiles::KeyboardLightingMemory m = keyboardMemory(ctx);
            const ProfileReadResult r = profiles::loadProfile(ctx.profiles, row, m);
            if (r != ProfileReadResult::ok)
                return r;
            ctx.lighting.edit([&](lighting::LightingRecords& rec) {
                bytesToRecord(m.keyboardState, rec.keyboard);
                bytesToCustom(m.customColours, rec.custom);
            });
            ctx.stores.edit([&](StoredData& d) { d.keyboard.slots[0] = m.firstSlotRecord; });
            return r;
        }
        case ProfileListId::mouseLighting: {
            profiles::MouseLightingMemory m = mouseMemory(ctx);
            const ProfileReadResult r = profiles::loadProfile(ctx.profiles, row, m);
            if (r != ProfileReadResult::ok)
                return r;
            ctx.lighting.edit(
                [&](lighting::LightingRecords& rec) { bytesToRecord(m.mouseState, rec.mouse); });
            ctx.stores.edit([&](StoredData& d) {
                d.mouse.slots[0] = m.firstSlotRecord;
                d.mouseSystem.pointerSpeed = m.pointerSpeed;
                d.mouseSystem.wheelLines = m.wheelLines;
            });
            return r;
        }
        case ProfileListId::mousepadLighting: {
            profiles::MousepadLightingMemory m = mousepadMemory(ctx);
            const ProfileReadResult r = profiles::loadProfile(ctx.profiles, row, m);
            if (r != ProfileReadResult::ok)
                return r;
            ctx.lighting.edit([&](lighting::LightingRecords& rec) {
                bytesToRecord(m.mousepadState, rec.mousepad);
            });
            ctx.stores.edit([&](StoredData& d) { d.mousepad.slots[0] = m.firstSlotRecord; });
            return r;
        }
        case ProfileListId::keyboardKeys:
        case ProfileListId::mouseKeys: {
            profiles::KeyMapMemory m;
            ctx.stores.read([&](const StoredData& d) {
                m.bytes = list == ProfileListId::keyboardKeys ? d.keyboard.slotKeyMaps[0]
                                                              : d.mouse.slotKeyMaps[0];
            });
            const ProfileReadResult r = profiles::loadProfile(ctx.profiles, list, row, m);
            if (r != ProfileReadResult::ok)
                return r;
            ctx.stores.edit([&](StoredData& d) { keyMapOfSlot0(d, list) = m.bytes; });
            return r;
        }
    }
    return ProfileReadResult::missing;
}

ProfileSaveResult saveListProfile(AttachContext& ctx, ProfileListId list) {
    switch (list) {
        case ProfileListId::keyboardLighting: {
            profiles::KeyboardLightingMemory m = keyboardMemory(ctx);
            return profiles::saveCurrentProfile(ctx.profiles, m);
        }
        case ProfileListId::mouseLighting: {
            profiles::MouseLightingMemory m = mouseMemory(ctx);
            return profiles::saveCurrentProfile(ctx.profiles, m);
        }
        case ProfileListId::mousepadLighting: {
            profiles::MousepadLightingMemory m = mousepadMemory(ctx);
            return profiles::saveCurrentProfile(ctx.profiles, m);
        }
        case ProfileListId::keyboardKeys:
        case ProfileListId::mouseKeys: {
            profiles::KeyMapMemory m;
            ctx.stores.read([&](const StoredData& d) {
                m.bytes = list == ProfileListId::keyboardKeys ? d.keyboard.slotKeyMaps[0]
                                                              : d.mouse.slotKeyMaps[0];
            });
            return profiles::saveCurrentProfile(ctx.profiles, list, m);
        }
    }
    return ProfileSaveResult::writeFailed;
}

ProfileSaveResult saveFirstSlotProfile(AttachContext& ctx, link::DeviceKind kind) {
    if (kind == link::DeviceKind::mouse) {
        profiles::MouseLightingMemory m;
        ctx.stores.read([&](const StoredData& d) {
            m.firstSlotRecord = d.mouse.slots[0];
            m.pointerSpeed = d.mouseSystem.pointerSpeed;
            m.wheelLines = d.mouseSystem.wheelLines;
        });
        std::copy_n(m.firstSlotRecord.begin(), m.mouseState.size(), m.mouseState.begin());
        return profiles::saveCurrentProfile(ctx.profiles, m);
    }
    profiles::MousepadLightingMemory m;
    ctx.stores.read([&](const StoredData& d) { m.firstSlotRecord = d.mousepad.slots[0]; });
    std::copy_n(m.firstSlotRecord.begin(), m.mousepadState.size(), m.mousepadState.begin());
    return profiles::saveCurrentProfile(ctx.profiles, m);
}

}  // namespace quillon::attach
