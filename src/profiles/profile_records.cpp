#include "profiles/profile_records.h"

#include <algorithm>

namespace quillon::profiles {
namespace {

template <std::size_t N, std::size_t M>
void copyPrefix(const std::array<std::uint8_t, N>& from, std::array<std::uint8_t, M>& to) {
    static_assert(M <= N);
    std::copy_n(from.begin(), M, to.begin());
}

std::uint8_t zeroAsOne(std::uint8_t v) {
    return v == 0 ? 1 : v;
}

}  // namespace

void applyRecord(const KeyboardLightingRecord& record, KeyboardLightingMemory& memory) {
    std::copy_n(record.begin(), kSlotRecordSize, memory.firstSlotRecord.begin());
    std::copy_n(record.begin() + kCustomColoursOffset, kCustomColourStoreSize,
                memory.customColours.begin());
    copyPrefix(record, memory.keyboardState);
}

void applyRecord(const MouseLightingRecord& record, MouseLightingMemory& memory) {
    memory.firstSlotRecord = record;
    copyPrefix(record, memory.mouseState);
    memory.pointerSpeed = zeroAsOne(record[kPointerSpeedOffset]);
    memory.wheelLines = zeroAsOne(record[kWheelLinesOffset]);
}

void applyRecord(const MousepadLightingRecord& record, MousepadLightingMemory& memory) {
    memory.firstSlotRecord = record;
    copyPrefix(record, memory.mousepadState);
}

void applyRecord(const KeyRecord& record, KeyMapMemory& memory) {
    memory.bytes = record;
}

KeyboardLightingRecord assembleRecord(KeyboardLightingMemory& memory) {
    std::copy(memory.keyboardState.begin(), memory.keyboardState.end(),
              memory.firstSlotRecord.begin());
    KeyboardLightingRecord record{};
    std::copy(memory.firstSlotRecord.begin(), memory.firstSlotRecord.end(), record.begin());
    std::copy(memory.customColours.begin(), memory.customColours.end(),
              record.begin() + kCustomColoursOffset);
    return record;
}

MouseLightingRecord assembleRecord(MouseLightingMemory& memory) {
    std::copy(memory.mouseState.begin(), memory.mouseState.end(), memory.firstSlotRecord.begin());
    memory.firstSlotRecord[kPointerSpeedOffset] = memory.pointerSpeed;
    memory.firstSlotRecord[kWheelLinesOffset] = memory.wheelLines;
    return memory.firstSlotRecord;
}

MousepadLightingRecord assembleRecord(MousepadLightingMemory& memory) {
    std::copy(memory.mousepadState.begin(), memory.mousepadState.end(),
              memory.firstSlotRecord.begin());
    return memory.firstSlotRecord;
}

KeyRecord assembleRecord(const KeyMapMemory& memory) {
    return memory.bytes;
}

}  // namespace quillon::profiles
