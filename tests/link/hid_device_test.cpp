#include "link/hid_device.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "scripted_device.h"

namespace quillon::link {
namespace {

TEST(HidDeviceTest, EnumerationKeepsEveryPathInOrderPastEachDoubling) {
    testing::ScriptedDevice bus;
    bus.paths.clear();
    for (int i = 0; i < 40; ++i) {
        platform::HidInterface iface;
        iface.node = "node" + std::to_string(i);
        bus.paths.push_back(iface);
    }
    HidDevice dev(bus);
    ASSERT_TRUE(dev.enumerate());
    ASSERT_EQ(dev.pathCount, 40);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(dev.pathList[i].node, "node" + std::to_string(i));

    bus.paths.clear();
    ASSERT_TRUE(dev.enumerate());
    EXPECT_EQ(dev.pathCount, 0);
    EXPECT_TRUE(dev.pathList.empty());
}

TEST(HidDeviceTest, OpenTakesIdentityAndInterfaceNumbers) {
    testing::ScriptedDevice bus;
    HidDevice dev(bus);
    dev.devicePath = bus.paths[0];
    ASSERT_TRUE(dev.open());
    EXPECT_EQ(dev.attributes().vendorId, 0x0C45);
    EXPECT_EQ(dev.caps().usagePage, 0xFF1C);
    EXPECT_EQ(dev.interfaceNumber(), 1u);
    EXPECT_EQ(dev.collectionNumber(), 2u);
    dev.close();
    EXPECT_FALSE(dev.isOpen());

    // No USB interface and the node's only collection: both numbers are 0.
    dev.devicePath.interfaceNumber.reset();
    dev.devicePath.collectionIndex = 0;
    dev.devicePath.collectionCount = 1;
    ASSERT_TRUE(dev.open());
    EXPECT_EQ(dev.interfaceNumber(), 0u);
    EXPECT_EQ(dev.collectionNumber(), 0u);
    dev.close();
    std::size_t n = 0;
    std::array<std::uint8_t, 64> r{};
    EXPECT_EQ(dev.writeReport(r, n), platform::TransferStatus::failed);
}

TEST(HidDeviceTest, CloseFromAnotherThreadEndsAPendingReadAtOnce) {
    testing::ScriptedDevice bus;
    HidDevice dev(bus);
    dev.devicePath = bus.paths[0];
    ASSERT_TRUE(dev.open());
    std::chrono::steady_clock::duration waited{};
    platform::TransferStatus result = platform::TransferStatus::completed;
    std::thread reader([&] {
        std::array<std::uint8_t, 64> buffer{};
        std::size_t got = 0;
        const auto start = std::chrono::steady_clock::now();
        result = dev.readReport(buffer, platform::kNoTimeLimit, got);
        waited = std::chrono::steady_clock::now() - start;
    });
    while (!dev.readPending())
        std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    dev.close();
    reader.join();
    EXPECT_EQ(result, platform::TransferStatus::aborted);
    EXPECT_LT(waited, std::chrono::milliseconds(500));
}

TEST(HidDeviceTest, AnUnconsumedAbortEndsTheNextWait) {
    testing::ScriptedDevice bus;
    HidDevice dev(bus);
    dev.devicePath = bus.paths[0];
    ASSERT_TRUE(dev.open());
    dev.abort();
    std::array<std::uint8_t, 64> buffer{};
    std::size_t got = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(dev.readReport(buffer, 2000, got), platform::TransferStatus::aborted);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

}  // namespace
}  // namespace quillon::link
