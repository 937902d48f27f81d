// "effect play" streams the rendered frames to an (emulated) keyboard.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "emu/virtual_bus.h"
#include "lighting/effect_cli.h"
#include "link/device_link.h"

namespace quillon::lighting {
namespace {

TEST(EffectPlay, TheEmulatedKeyboardShowsTheLastRenderedFrame) {
    emu::VirtualBus bus;
    auto device = bus.plug(*emu::catalogueProduct(link::DeviceKind::keyboard, 0));
    link::DeviceLink keyboard{bus};
    keyboard.setMatch(link::DeviceKind::keyboard);
    keyboard.hid.devicePath = device->commandCollection().path;
    keyboard.hid.openForRead = keyboard.hid.openForWrite = keyboard.hid.openOverlapped = true;
    ASSERT_TRUE(keyboard.hid.open());
    keyboard.connected = 1;

    const std::vector<std::string> args{"--device", "keyboard", "--mode",   "0",
                                        "--colour", "ff8000",   "--frames", "3"};
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(playEffect(args, keyboard, out, err), 0) << err.str();
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
    const std::vector<std::string> args{"--device", "keyboard", "--mode", "0", "--frames", "1"};
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(playEffect(args, keyboard, out, err), 1);
}

}  // namespace
}  // namespace quillon::lighting
