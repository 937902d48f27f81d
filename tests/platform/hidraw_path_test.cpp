#include "platform/hid/linux/hidraw_path.h"

#include <gtest/gtest.h>

#include "platform/hid/linux/hidraw_identity.h"

namespace quillon::platform {
namespace {

TEST(HidrawPath, RefusesAnythingButAHidrawNode) {
    EXPECT_TRUE(isHidrawNodePath("/dev/hidraw3"));
    EXPECT_TRUE(isHidrawNodePath("/dev/hidraw123456789"));
    for (const char* text :
         {"", "/dev/hidraw", "/dev/null", "/dev/hidraw3/../sda", "/dev/hidraw3#vid_0c45&pid_8611#",
          "/tmp/hidraw3", "hidraw3", "/dev//hidraw3", "/dev/hidraw1234567890"})
        EXPECT_FALSE(isHidrawNodePath(text)) << text;
}

TEST(HidrawPath, NodeNumbers) {
    EXPECT_EQ(hidrawNumber("/dev/hidraw10"), 10u);
    EXPECT_EQ(hidrawNumber("hidraw0"), 0u);
    EXPECT_FALSE(hidrawNumber("/dev/hidraw"));
    EXPECT_FALSE(hidrawNumber("/dev/hidraw1a"));
    EXPECT_FALSE(hidrawNumber("/dev/input/event3"));
}

TEST(HidrawIdentity, ReadsIdsFromTheHidUevent) {
    const auto ids = parseHidId("0003:00000C45:00008611");
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->vendorId, 0x0C45);
    EXPECT_EQ(ids->productId, 0x8611);
    EXPECT_EQ(parseHidId("0005:0000046D:0000B01A")->productId, 0xB01A);
    for (const char* bad : {"", "0003", "0003:00000C45", "0003:0001_0C45:00008611",
                            "0003:00010C45:00008611", "0003:00000C45:000086111"})
        EXPECT_FALSE(parseHidId(bad)) << bad;
}

TEST(HidrawIdentity, ReadsHexadecimalSysfsAttributes) {
    EXPECT_EQ(parseSysfsHex("0105\n"), 0x105u);
    EXPECT_EQ(parseSysfsHex("01"), 1u);
    EXPECT_EQ(parseSysfsHex("ff"), 0xFFu);
    EXPECT_FALSE(parseSysfsHex(""));
    EXPECT_FALSE(parseSysfsHex("1.05"));
}

}  // namespace
}  // namespace quillon::platform
