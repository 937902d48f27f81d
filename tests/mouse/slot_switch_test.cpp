// Switching the onboard slot of the mousepad and the mouse, against the
// emulated firmware: what is sent, what the table and the state hold after.

#include "mouse/slot_switch.h"

#include <gtest/gtest.h>

#include "app/attach_mouse_records.h"
#include "emu/virtual_bus.h"
#include "link/protocol.h"

namespace quillon::mouse {
namespace {

using link::Command;
using link::DeviceKind;

struct SlotRig {
    explicit SlotRig(DeviceKind kind) : kind(kind) {
        device = bus.plug(*emu::catalogueProduct(kind, 0));
        link.setMatch(kind);
        link.hid.devicePath = device->commandCollection().hidInterface;
        link.hid.openForRead = link.hid.openForWrite = link.hid.openOverlapped = true;
        if (link.hid.open())
            link.connected = 1;
    }
    // The device's active slot and a recognisable record in each slot.
    void prepare(std::uint8_t active) {
        device->modify([&](emu::FirmwareModel& fw) {
            auto area = fw.mutableSettingsArea();
            for (std::size_t s = 0; s < 5; ++s)
                for (std::size_t b = 1; b < 56; ++b)
                    area[s * 64 + b] = std::uint8_t(s * 16 + b);
            area[0] = active;
        });
        device->clearRequestLog();
    }
    SlotSwitch to(int slot) { return switchSlot(kind, link, records, slot); }
    std::vector<link::CommandReport> requests() const { return device->requests(); }
    profiles::SlotRecord row(std::size_t slot) const {
        return stores.read([&](const attach::StoredData& d) {
            return kind == DeviceKind::mouse ? d.mouse.slots[slot] : d.mousepad.slots[slot];
        });
    }

    DeviceKind kind;
    emu::VirtualBus bus;
    std::shared_ptr<emu::EmulatedDevice> device;
    link::DeviceLink link{bus};
    lighting::LightingSettings lighting;
    attach::DeviceStores stores;
    app::AttachMouseRecords records{stores, lighting};
};

TEST(SlotSwitch, TheMousepadFromOneToThreeStoresOneWritesThreeAndReadsItsRecord) {
    SlotRig rig(DeviceKind::mousepad);
    rig.prepare(1);
    rig.lighting.edit([](lighting::LightingRecords& r) {
        r.mousepad.slot = 1;
        r.mousepad.lighting.mode = 9;
        r.mousepad.lighting.red = 0xAB;
    });
    ASSERT_EQ(rig.to(3), SlotSwitch::switched);

    const auto sent = rig.requests();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].command(), std::uint8_t(Command::readSettings));
    EXPECT_EQ(sent[0].length(), 1);
    EXPECT_EQ(sent[1].command(), std::uint8_t(Command::writeSettings));
    EXPECT_EQ(sent[1].length(), 1);
    EXPECT_EQ(sent[1].payload()[0], 3);
    EXPECT_EQ(sent[2].command(), std::uint8_t(Command::readSettings));
    EXPECT_EQ(sent[2].offset(), 192);
    EXPECT_EQ(sent[2].length(), 56);
    EXPECT_EQ(rig.device->activeSlot(), 3);

    // Record 1 holds the state the mousepad was in; record 3 what it sent.
    EXPECT_EQ(rig.row(1)[1], 9);
    EXPECT_EQ(rig.row(1)[6], 0xAB);
    EXPECT_EQ(rig.row(3)[1], 3 * 16 + 1);
    EXPECT_EQ(rig.row(3)[55], 3 * 16 + 55);
    const auto now =
        rig.lighting.read([](const lighting::LightingRecords& r) { return r.mousepad; });
    EXPECT_EQ(now.slot, 3);
    EXPECT_EQ(now.lighting.mode, 3 * 16 + 1);
    EXPECT_EQ(now.carried.back(), 3 * 16 + 20);
}

TEST(SlotSwitch, TheMouseTakesItsTwentyThreeBytes) {
    SlotRig rig(DeviceKind::mouse);
    rig.prepare(0);
    ASSERT_EQ(rig.to(2), SlotSwitch::switched);
    const auto now = rig.lighting.read([](const lighting::LightingRecords& r) { return r.mouse; });
    EXPECT_EQ(now.slot, 2);
    EXPECT_EQ(now.liftOff, 2 * 16 + 22);
    EXPECT_EQ(now.dpiLevels[0], 2 * 16 + 15);
}

TEST(SlotSwitch, TheActiveSlotOrOneOutsideTheTableChangesNothing) {
    SlotRig rig(DeviceKind::mouse);
    rig.prepare(2);
    const auto before = rig.lighting.snapshot();
    EXPECT_EQ(rig.to(2), SlotSwitch::alreadyActive);
    EXPECT_EQ(rig.requests().size(), 1u);  // only the one-byte read

    rig.device->clearRequestLog();
    EXPECT_EQ(rig.to(7), SlotSwitch::notASlot);
    EXPECT_EQ(rig.to(-1), SlotSwitch::notASlot);
    EXPECT_TRUE(rig.requests().empty());

    // A device that says it is on slot 9 is not believed.
    rig.prepare(9);
    EXPECT_EQ(rig.to(1), SlotSwitch::badActiveSlot);
    EXPECT_EQ(rig.requests().size(), 1u);
    EXPECT_EQ(rig.lighting.snapshot().mouse, before.mouse);
    EXPECT_EQ(rig.row(1), profiles::SlotRecord{});
}

TEST(SlotSwitch, AReadThatGotNoAnswerChangesNothing) {
    SlotRig rig(DeviceKind::mousepad);
    rig.prepare(1);
    rig.bus.unplug(*rig.device);
    const auto before = rig.lighting.snapshot();
    EXPECT_EQ(rig.to(3), SlotSwitch::noAnswer);
    EXPECT_EQ(rig.lighting.snapshot().mousepad, before.mousepad);
    EXPECT_EQ(rig.row(1), profiles::SlotRecord{});
    EXPECT_EQ(rig.row(3), profiles::SlotRecord{});
}

}  // namespace
}  // namespace quillon::mouse
