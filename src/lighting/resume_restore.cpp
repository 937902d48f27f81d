#include "lighting/resume_restore.h"

#include "link/command_report.h"
#include "link/protocol.h"

namespace quillon::lighting {

namespace {

constexpr std::uint16_t kSlotStride = 64;

HeldSettings readHeld(link::DeviceLink& device) {
    HeldSettings held;
    if (device.connected.load() != 1)
        return held;
    for (std::size_t slot = 0; slot < kResumeSlots; ++slot) {
        std::array<std::uint8_t, kResumeRecordBytes> record{};
        if (link::succeeded(link::readSettings(device, std::uint16_t(slot * kSlotStride), record)))
            held.records[slot] = record;
    }
    std::array<std::uint8_t, 1> active{};
    if (link::succeeded(link::readSettings(device, 0, active)) && active[0] <= link::kHighestSlot)
        held.activeSlot = active[0];
    return held;
}

void writeHeld(link::DeviceLink& device, const HeldSettings& held) {
    if (device.connected.load() != 1)
        return;  // a device that left reads its state anew when it comes back
    for (std::size_t slot = 0; slot < kResumeSlots; ++slot) {
        if (!held.records[slot])
            continue;
        auto record = *held.records[slot];
        record[0] = std::uint8_t(slot);  // a record's first byte names its slot
        if (!link::succeeded(link::writeSettings(device, record)))
            return;
    }
    if (held.activeSlot) {
        const std::array<std::uint8_t, 1> payload{*held.activeSlot};
        (void)link::writeSettings(device, payload);  // nothing more to try on failure
    }
    device.announceFlags();  // the writes ended synchronised lighting: its own thread goes on
}

}  // namespace

void ResumeRestore::beforeSuspend() {
    held_ = {readHeld(links_.mouse), readHeld(links_.mousepad)};
}

void ResumeRestore::afterResume() {
    writeHeld(links_.mouse, held_[0]);
    writeHeld(links_.mousepad, held_[1]);
    held_ = {};
}

}  // namespace quillon::lighting
