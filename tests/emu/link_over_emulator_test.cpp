// The link's own protocol operations against the emulated devices: what the
// attach, key-map and lighting code will see.

#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>
#include <vector>

#include "emu/virtual_bus.h"
#include "link/device_link.h"
#include "link/protocol.h"

namespace quillon::emu {
namespace {

using link::DeviceKind;
using link::Status;

struct Attached {
    VirtualBus bus;
    std::shared_ptr<EmulatedDevice> device;
    link::DeviceLink link{bus};

    Attached(DeviceKind kind, std::uint8_t variant) {
        device = bus.plug(*catalogueProduct(kind, variant));
        link.setMatch(kind);
        link.hid.devicePath = device->commandCollection().hidInterface;
        link.hid.openForRead = link.hid.openForWrite = link.hid.openOverlapped = true;
        if (link.hid.open())
            link.connected = 1;
    }
};

TEST(LinkOverEmulator, AKeyboardOf104KeysReadsAndWritesSlotsOf312Bytes) {
    Attached kb(DeviceKind::keyboard, 0);
    ASSERT_EQ(kb.link.connected.load(), 1);
    link::DeviceInfo info;
    ASSERT_EQ(link::begin(kb.link), Status::ok);
    ASSERT_EQ(link::readInfo(kb.link, info), Status::ok);
    kb.link.blockLength = std::uint16_t(3 * info.keyCount());
    EXPECT_EQ(kb.link.blockLength.load(), 312);

    std::vector<std::uint8_t> map(312);
    std::iota(map.begin(), map.end(), std::uint8_t(3));
    kb.device->clearRequestLog();
    ASSERT_EQ(link::writeKeymapSlot(kb.link, map, 3), Status::ok);
    std::vector<std::uint16_t> offsets;
    for (const auto& r : kb.device->requests())
        offsets.push_back(r.offset());
    EXPECT_EQ(offsets, (std::vector<std::uint16_t>{378, 434, 490, 546, 602, 658}));

    std::vector<std::uint8_t> back(512);
    ASSERT_EQ(link::readKeymapSlot(kb.link, back, 3), Status::ok);
    EXPECT_TRUE(std::equal(map.begin(), map.end(), back.begin()));
    ASSERT_EQ(link::readKeymapBase(kb.link, back), Status::ok);
    const auto factory = factoryKeymapImage(kRgbKeyboardFactoryKeys);
    EXPECT_TRUE(std::equal(back.begin(), back.begin() + 312, factory.begin()));
    EXPECT_EQ(kb.device->inspect([](const FirmwareModel& fw) { return fw.checksumMismatches(); }),
              0u);
}

TEST(LinkOverEmulator, ABusyAnswerOnTheThirdChunkStopsTheTransferThere) {
    Attached mouse(DeviceKind::mouse, 0);
    std::vector<std::uint8_t> image(200, 0x66);
    ASSERT_EQ(link::begin(mouse.link), Status::ok);
    mouse.device->answerWithStatus(3, 0xFE);
    EXPECT_EQ(link::writeMacros(mouse.link, image), Status::deviceBusy);
    EXPECT_EQ(mouse.device->requestCount(), 4u);
    mouse.device->inspect([](const FirmwareModel& fw) {
        EXPECT_EQ(fw.macroMemory()[111], 0x66);
        EXPECT_EQ(fw.macroMemory()[112], 0x00);
        return 0;
    });
}

TEST(LinkOverEmulator, ResetRestoresTheFactorySettingsAndALostAnswerIsRetried) {
    Attached pad(DeviceKind::mousepad, 0);
    const std::uint8_t slot[1] = {4};
    ASSERT_EQ(link::writeSettings(pad.link, slot), Status::ok);
    EXPECT_EQ(pad.device->activeSlot(), 4);
    EXPECT_EQ(link::reset(pad.link), Status::ok);
    EXPECT_EQ(pad.device->activeSlot(), 0);

    pad.device->dropAnswers(1);
    std::array<std::uint8_t, 56> record{};
    EXPECT_EQ(link::readSettings(pad.link, 64, record), Status::ok);
    EXPECT_EQ(record[0], 1);
}

TEST(LinkOverEmulator, AnAnswerTooLateForItsRequestNeverAnswersTheNextOne) {
    Attached pad(DeviceKind::mousepad, 0);
    pad.device->modify([](FirmwareModel& fw) {
        fw.mutableSettingsArea()[1 * 64 + 5] = 0x11;
        fw.mutableSettingsArea()[2 * 64 + 5] = 0x22;
        return 0;
    });
    // Busy past all four attempts: the requester gives up, the answers come later.
    pad.device->setLatency(std::chrono::milliseconds(1250));
    std::array<std::uint8_t, 56> record{};
    EXPECT_EQ(link::readSettings(pad.link, 64, record), Status::noExchange);

    pad.device->setLatency({});
    ASSERT_EQ(link::readSettings(pad.link, 128, record), Status::ok);
    EXPECT_EQ(record[5], 0x22);
}

TEST(LinkOverEmulator, AGoneDeviceEndsAnExchangeAtOnce) {
    Attached mouse(DeviceKind::mouse, 1);
    mouse.device->setLatency(std::chrono::milliseconds(100));
    std::thread unplugger([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        mouse.bus.unplug(*mouse.device);
    });
    const auto start = std::chrono::steady_clock::now();
    link::DeviceInfo info;
    EXPECT_EQ(link::readInfo(mouse.link, info), Status::noExchange);
    unplugger.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
}

TEST(LinkOverEmulator, AMouseUnpluggedMidFrameFailsTheRestOfIt) {
    Attached mouse(DeviceKind::mouse, 2);
    std::array<std::uint8_t, 60> frame{};
    mouse.device->unplugAfter(1);
    EXPECT_NE(link::sendLedFrame(mouse.link, frame), Status::ok);
    EXPECT_FALSE(mouse.link.hid.probe());
}

}  // namespace
}  // namespace quillon::emu

namespace quillon::emu {
namespace {

TEST(LinkOverEmulator, ATestCanPresetWhatTheDeviceHolds) {
    Attached pad(link::DeviceKind::mousepad, 0);
    pad.device->modify([](FirmwareModel& fw) {
        fw.mutableSettingsArea()[0] = 3;
        fw.mutableSettingsArea()[3 * 64 + 1] = 7;  // slot 3's mode
        return 0;
    });
    std::array<std::uint8_t, 1> active{};
    ASSERT_EQ(link::readSettings(pad.link, 0, active), link::Status::ok);
    EXPECT_EQ(active[0], 3);
    std::array<std::uint8_t, 56> record{};
    ASSERT_EQ(link::readSettings(pad.link, 192, record), link::Status::ok);
    EXPECT_EQ(record[1], 7);

    Attached kb(link::DeviceKind::keyboard, 0);
    kb.device->modify([](FirmwareModel& fw) {
        fw.mutableInfo().bytes[link::DeviceInfo::kKeyCount] = 171;
        return 0;
    });
    link::DeviceInfo info;
    ASSERT_EQ(link::readInfo(kb.link, info), link::Status::ok);
    EXPECT_EQ(info.keyCount(), 171);
}

}  // namespace
}  // namespace quillon::emu
