// "effect play" streams the rendered frames to an (emulated) keyboard.

#include <gtest/gtest.h>

#include <vector>

#include "emu/virtual_bus.h"
#include "lighting/effect_render.h"
#include "link/device_link.h"

namespace quillon::lighting {
namespace {

TEST(EffectPlay, TheEmulatedKeyboardShowsTheLastRenderedFrame) {
    emu::VirtualBus bus;
    auto device = bus.plug(*emu::catalogueProduct(link::DeviceKind::keyboard, 0));
    link::DeviceLink keyboard{bus};
    keyboard.setMatch(link::DeviceKind::keyboard);
    keyboard.hid.devicePath = device->commandCollection().hidInterface;
    keyboard.hid.openForRead = keyboard.hid.openForWrite = keyboard.hid.openOverlapped = true;
    ASSERT_TRUE(keyboard.hid.open());
    keyboard.connected = 1;

    EffectOptions o;
    o.record.red = 0xff;
    o.record.green = 0x80;
    o.record.blue = 0x00;
    o.frames = 3;
    EXPECT_EQ(playEffect(o, keyboard), PlayResult::played);
    EXPECT_EQ(device->frameCount(), 3u);
    const std::vector<std::uint8_t> frame = device->lastFrame();
    ASSERT_EQ(frame.size(), 378u);
    EXPECT_EQ(frame[0], 254);  // 255 at full brightness
    EXPECT_EQ(frame[1], 127);
    EXPECT_EQ(frame[2], 0);
}

TEST(EffectPlay, RefusesAnAbsentKeyboard) {
    emu::VirtualBus bus;
    link::DeviceLink keyboard{bus};
    EffectOptions o;
    o.frames = 1;
    EXPECT_EQ(playEffect(o, keyboard), PlayResult::notConnected);
    o.kind = LightingKind::mouse;
    EXPECT_EQ(playEffect(o, keyboard), PlayResult::notPlayableDevice);
}

}  // namespace
}  // namespace quillon::lighting
