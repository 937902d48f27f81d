#include "platform/hid/linux/hidraw_path.h"

#include <gtest/gtest.h>

#include "platform/hid/linux/hidraw_identity.h"

namespace quillon::platform {
namespace {

TEST(HidrawPath, FormatsOneCollectionOfAUsbInterface) {
    HidrawPath p;
    p.node = "/dev/hidraw3";
    p.vendorId = 0x0C45;
    p.productId = 0x8611;
    p.interfaceNumber = 1;
    p.collection = 2;
    EXPECT_EQ(formatHidrawPath(p), "/dev/hidraw3#vid_0c45&pid_8611&mi_01&col02#");
    p.collection = 0;
    EXPECT_EQ(formatHidrawPath(p), "/dev/hidraw3#vid_0c45&pid_8611&mi_01#");
    p.interfaceNumber.reset();
    EXPECT_EQ(formatHidrawPath(p), "/dev/hidraw3#vid_0c45&pid_8611#");
}

TEST(HidrawPath, RoundTrips) {
    for (const char* text :
         {"/dev/hidraw3#vid_0c45&pid_8611&mi_01&col02#", "/dev/hidraw12#vid_0c45&pid_764d&mi_00#",
          "/dev/hidraw0#vid_046d&pid_c52b#", "/dev/hidraw7#vid_0c45&pid_5104&colff#"}) {
        const auto p = parseHidrawPath(text);
        ASSERT_TRUE(p) << text;
        EXPECT_EQ(formatHidrawPath(*p), text);
    }
    const auto p = parseHidrawPath("/dev/hidraw3#VID_0C45&PID_8611&MI_01&COL02#");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->node, "/dev/hidraw3");
    EXPECT_EQ(p->vendorId, 0x0C45);
    EXPECT_EQ(p->productId, 0x8611);
    EXPECT_EQ(p->interfaceNumber, 1);
    EXPECT_EQ(p->collection, 2);
    EXPECT_EQ(p->collectionIndex(), 1u);
}

TEST(HidrawPath, RefusesAnythingButAHidrawNode) {
    for (const char* text : {
             "",
             "/dev/hidraw3",
             "/dev/hidraw3#",
             "/dev/null#vid_0c45&pid_8611#",
             "/dev/hidraw#vid_0c45&pid_8611#",
             "/dev/hidraw3/../sda#vid_0c45&pid_8611#",
             "/tmp/hidraw3#vid_0c45&pid_8611#",
             "hidraw3#vid_0c45&pid_8611#",
             "/dev/hidraw3#vid_0c45&pid_8611",
             "/dev/hidraw3#vid_0c4&pid_8611#",
             "/dev/hidraw3#vid_0c45&pid_8611&col00#",
             "/dev/hidraw3#vid_0c45&pid_8611&mi_1#",
             "/dev/hidraw3#vid_0c45&pid_8611#tail",
             "/dev/hidraw1234567890#vid_0c45&pid_8611#",
         }) {
        EXPECT_FALSE(parseHidrawPath(text)) << text;
    }
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
