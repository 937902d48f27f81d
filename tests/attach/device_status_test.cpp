// Asking the attached devices what they are, over the virtual bus.

#include "attach/device_status.h"

#include <gtest/gtest.h>

#include "emu/virtual_bus.h"
#include "link/protocol.h"

namespace quillon::attach::testing {
namespace {

TEST(DeviceStatus, ReportsModelFirmwareAndActiveSlotWithoutWriting) {
    emu::VirtualBus bus;
    auto membrane = bus.plug(0x6523);
    auto pad = bus.plug(0x5104);
    const DeviceStatus kb = queryStatus(bus, link::DeviceKind::keyboard);
    ASSERT_TRUE(kb.attached);
    EXPECT_EQ(kb.product->productId, 0x6523);
    EXPECT_EQ(kb.firmwareVersion, membrane->attributes().versionNumber);
    EXPECT_EQ(kb.presentCode, 3);
    const DeviceStatus mp = queryStatus(bus, link::DeviceKind::mousepad);
    EXPECT_EQ(mp.activeSlot, 0);
    for (const link::CommandReport& r : pad->requests())
        EXPECT_EQ(r.command(), static_cast<std::uint8_t>(link::CMD_READ_SETTINGS));
    EXPECT_FALSE(queryStatus(bus, link::DeviceKind::mouse).attached);
}

TEST(DeviceStatus, TheQueryTellsTheUpdateWindowsPresenceCodes) {
    emu::VirtualBus bus;
    bus.plug(0x6656);
    bus.plug(0x6556);
    EXPECT_EQ(queryStatus(bus, link::DeviceKind::mouse).presentCode, 0);  // model 1 counts as none
    const DeviceStatus kb = queryStatus(bus, link::DeviceKind::keyboard);
    EXPECT_EQ(kb.presentCode, 2);
    EXPECT_EQ(kb.keyCount, 104);
}

}  // namespace
}  // namespace quillon::attach::testing
