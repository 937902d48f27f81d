#include "link/protocol.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <numeric>
#include <thread>

#include "scripted_device.h"

namespace quillon::link {
namespace {

using testing::ScriptedDevice;
using Report = ScriptedDevice::Report;

struct Connected {
    ScriptedDevice device;
    DeviceLink link{device};
    Connected() {
        link.setMatch(DeviceKind::keyboard);
        link.hid.openForRead = link.hid.openForWrite = link.hid.openOverlapped = true;
        link.hid.devicePath = device.paths[0];
        EXPECT_TRUE(link.hid.open());
        link.connected = 1;
    }
};

std::uint16_t checksumOf(const Report& r) {
    return std::uint16_t(r[1] | (r[2] << 8));
}
std::uint16_t offsetOf(const Report& r) {
    return std::uint16_t(r[5] | (r[6] << 8));
}

std::uint16_t sumOf(const Report& r) {
    return std::uint16_t(std::accumulate(r.begin() + 3, r.end(), 0u) & 0xFFFF);
}

TEST(CommandReportTest, ChecksumsMatchTheKnownRequests) {
    const CommandReport beginRequest = buildRequest(CMD_BEGIN);
    EXPECT_EQ(beginRequest.bytes[0], 4);
    EXPECT_EQ(beginRequest.bytes[1], 1);
    EXPECT_EQ(beginRequest.bytes[2], 0);

    const CommandReport info = buildRequest(CMD_READ_INFO, 0, {}, 31);
    EXPECT_EQ(info.bytes[3], 3);
    EXPECT_EQ(info.bytes[4], 31);
    EXPECT_EQ(info.checksum(), 34);

    // Payload bytes and the offset count; the sum wraps at 65536.
    std::array<std::uint8_t, 56> ff;
    ff.fill(0xFF);
    const CommandReport full = buildRequest(CMD_LED_FRAME, 0x0102, ff, 56);
    const std::uint32_t expected = 0x12 + 56 + 0x02 + 0x01 + 56 * 0xFF;
    EXPECT_EQ(full.checksum(), expected & 0xFFFF);
}

TEST(ChunkedTransferTest, RgbFrameGoesOutAsSevenChunks) {
    Connected c;
    std::array<std::uint8_t, 378> frame;
    for (std::size_t i = 0; i < frame.size(); ++i)
        frame[i] = std::uint8_t(i);
    ASSERT_EQ(sendLedFrame(c.link, frame), STATUS_OK);

    const auto w = c.device.writes();
    ASSERT_EQ(w.size(), 7u);
    for (std::size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(w[k][3], 0x12);
        EXPECT_EQ(w[k][4], k < 6 ? 56 : 42);
        EXPECT_EQ(offsetOf(w[k]), k * 56);
        EXPECT_EQ(w[k][8], std::uint8_t(k * 56));
        EXPECT_EQ(checksumOf(w[k]), sumOf(w[k]));
    }
    // The buffer is cleared once: the short last chunk still carries the
    // previous chunk's tail bytes, and they are part of its checksum.
    EXPECT_EQ(w[6][8 + 42], frame[5 * 56 + 42]);
    EXPECT_EQ(w[6][63], frame[5 * 56 + 55]);
}

TEST(ChunkedTransferTest, OneColourFrameIsThreeChunks) {
    Connected c;
    std::array<std::uint8_t, 126> frame{};
    ASSERT_EQ(sendLedFrame(c.link, frame), STATUS_OK);
    const auto w = c.device.writes();
    ASSERT_EQ(w.size(), 3u);
    EXPECT_EQ(w[0][4], 56);
    EXPECT_EQ(w[1][4], 56);
    EXPECT_EQ(w[2][4], 14);
    EXPECT_EQ(offsetOf(w[2]), 112);
}

TEST(ChunkedTransferTest, KeymapSlotReadUsesSlotOffsetsAndBlockLength) {
    Connected c;
    c.link.blockLength = 312;
    c.device.responder = [](const Report& req) {
        Report a = req;
        for (int i = 8; i < 64; ++i)
            a[i] = std::uint8_t(req[5] + i);
        return std::optional<Report>(a);
    };
    std::array<std::uint8_t, 512> buffer{};
    ASSERT_EQ(readKeymapSlot(c.link, buffer, 2), STATUS_OK);
    const auto w = c.device.writes();
    ASSERT_EQ(w.size(), 6u);  // 5 × 56 + 32
    for (std::size_t k = 0; k < w.size(); ++k) {
        EXPECT_EQ(w[k][3], 0x08);
        EXPECT_EQ(offsetOf(w[k]), 252 + k * 56);
        EXPECT_EQ(w[k][4], k < 5 ? 56 : 32);
    }
    EXPECT_EQ(buffer[0], std::uint8_t(252 + 8));
    EXPECT_EQ(buffer[311], std::uint8_t(((252 + 280) & 0xFF) + 8 + 31));
    EXPECT_EQ(buffer[312], 0);  // nothing past the block
}

TEST(ChunkedTransferTest, BadSlotAndEmptyBlockSendNothing) {
    Connected c;
    std::array<std::uint8_t, 512> buffer{};
    EXPECT_EQ(readKeymapSlot(c.link, buffer, 5), STATUS_BAD_SLOT);
    EXPECT_EQ(writeKeymapSlot(c.link, buffer, 5), STATUS_BAD_SLOT);
    EXPECT_EQ(readKeymapSlot(c.link, buffer, -1), STATUS_BAD_SLOT);
    c.link.blockLength = 0;
    EXPECT_EQ(readKeymapBase(c.link, buffer), STATUS_OK);
    EXPECT_EQ(sendLedFrame(c.link, {}), STATUS_OK);
    EXPECT_TRUE(c.device.writes().empty());
}

TEST(ChunkedTransferTest, BlockLengthNeverOverrunsTheCallersBuffer) {
    Connected c;
    c.link.blockLength = 512;
    std::array<std::uint8_t, 100> small{};
    ASSERT_EQ(readKeymapBase(c.link, small), STATUS_OK);
    EXPECT_EQ(c.device.writes().size(), 2u);  // 56 + 44
}

TEST(ChunkedTransferTest, BusyOnThirdChunkStopsWithTwoWritten) {
    Connected c;
    int n = 0;
    c.device.responder = [&n](const Report& req) {
        Report a = req;
        if (++n == 3)
            a[7] = 0xFE;
        return std::optional<Report>(a);
    };
    std::array<std::uint8_t, 378> frame{};
    EXPECT_EQ(sendLedFrame(c.link, frame), STATUS_DEVICE_BUSY);
    EXPECT_EQ(c.device.writes().size(), 3u);

    n = 0;
    c.device.responder = [&n](const Report& req) {
        Report a = req;
        if (++n == 1)
            a[7] = 0xFF;
        return std::optional<Report>(a);
    };
    EXPECT_EQ(writeMacros(c.link, frame), STATUS_DEVICE_ERROR);
}

TEST(ProtocolTest, DisconnectedLinkSendsNothing) {
    Connected c;
    c.link.connected = 0;
    DeviceInfo info;
    std::array<std::uint8_t, 512> buffer{};
    EXPECT_EQ(begin(c.link), STATUS_NO_EXCHANGE);
    EXPECT_EQ(readInfo(c.link, info), STATUS_NO_EXCHANGE);
    EXPECT_EQ(readSettings(c.link, 0, std::span(buffer).first(56)), STATUS_NO_EXCHANGE);
    EXPECT_EQ(writeSettings(c.link, std::span(buffer).first(56)), STATUS_NO_EXCHANGE);
    EXPECT_EQ(readKeymapBase(c.link, buffer), STATUS_NO_EXCHANGE);
    EXPECT_EQ(sendLedFrame(c.link, std::span(buffer).first(378)), STATUS_NO_EXCHANGE);
    EXPECT_EQ(reset(c.link), STATUS_NO_EXCHANGE);
    EXPECT_TRUE(c.device.writes().empty());
}

TEST(ProtocolTest, ResetGoesOutWithoutChecksum) {
    Connected c;
    EXPECT_EQ(reset(c.link), STATUS_OK);
    const auto w = c.device.writes();
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0][0], 4);
    EXPECT_EQ(w[0][1], 0);
    EXPECT_EQ(w[0][2], 0);
    EXPECT_EQ(w[0][3], 0x0D);
    EXPECT_EQ(w[0][4], 0);
}

TEST(ProtocolTest, SilentDeviceCostsFourAttempts) {
    Connected c;
    c.device.responder = [](const Report&) { return std::optional<Report>(); };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(begin(c.link), STATUS_NO_EXCHANGE);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(c.device.writes().size(), 4u);
    EXPECT_GE(elapsed, std::chrono::milliseconds(4 * 300 - 20));
    EXPECT_LT(elapsed, std::chrono::milliseconds(4 * 300 + 400));

    // Reset tries once only.
    EXPECT_EQ(reset(c.link), STATUS_NO_EXCHANGE);
    EXPECT_EQ(c.device.writes().size(), 5u);
}

TEST(ProtocolTest, FailedWriteEndsAtOnce) {
    Connected c;
    c.device.writesFail = true;
    std::array<std::uint8_t, 378> frame{};
    EXPECT_EQ(begin(c.link), STATUS_WRITE_FAILED);
    EXPECT_EQ(sendLedFrame(c.link, frame), STATUS_WRITE_FAILED);
}

TEST(ProtocolTest, ReadInfoAndSettingsCopyThePayload) {
    Connected c;
    c.device.responder = [](const Report& req) {
        Report a = req;
        for (int i = 8; i < 64; ++i)
            a[i] = std::uint8_t(i - 8 + req[5]);
        return std::optional<Report>(a);
    };
    DeviceInfo info;
    ASSERT_EQ(readInfo(c.link, info), STATUS_OK);
    EXPECT_EQ(info.bytes[0], 0);
    EXPECT_EQ(info.bytes[30], 30);

    std::array<std::uint8_t, 56> record{};
    ASSERT_EQ(readSettings(c.link, 128, record), STATUS_OK);
    const auto w = c.device.writes();
    EXPECT_EQ(offsetOf(w.back()), 128);
    EXPECT_EQ(w.back()[4], 56);
    EXPECT_EQ(record[0], 128);
}

TEST(ProtocolTest, WriteSettingsHandsLightingBack) {
    Connected c;
    c.link.syncLighting = 1;
    const std::array<std::uint8_t, 1> slot{3};
    EXPECT_EQ(writeSettings(c.link, slot), STATUS_OK);
    EXPECT_EQ(c.link.syncLighting.load(), 0);
    const auto w = c.device.writes();
    EXPECT_EQ(w.back()[3], 0x06);
    EXPECT_EQ(w.back()[4], 1);
    EXPECT_EQ(w.back()[8], 3);
}

TEST(ProtocolTest, EndWaitsBeforeSending) {
    Connected c;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(end(c.link), STATUS_OK);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(10));
    EXPECT_EQ(c.device.writes().back()[3], 0x02);
}

TEST(ProtocolTest, LateAnswerNeverPassesForTheNextOne) {
    Connected c;
    // An answer to a request long given up sits in the queue.
    Report stale{};
    stale[0] = 4;
    stale[3] = 0x12;
    stale[7] = 0xFF;
    c.device.queueInput(stale);
    DeviceInfo info;
    EXPECT_EQ(readInfo(c.link, info), STATUS_OK);
}

TEST(ProtocolTest, ReportsAnsweringOtherRequestsAreSkippedWithinTheWindow) {
    Connected c;
    c.device.responder = [&c](const Report& request) {
        Report otherOffset = request;  // the answer to a read of offset 64
        otherOffset[5] = 64;
        otherOffset[8] = 0xEE;
        Report otherCommand = request;
        otherCommand[3] = 0x12;
        otherCommand[8] = 0xDD;
        c.device.queueInput(otherOffset);
        c.device.queueInput(otherCommand);
        Report answer = request;
        answer[8] = 0x77;
        return std::optional<Report>(answer);
    };
    std::array<std::uint8_t, 8> out{};
    ASSERT_EQ(readSettings(c.link, 128, out), STATUS_OK);
    EXPECT_EQ(out[0], 0x77);
    EXPECT_EQ(c.device.writes().size(), 1u);
}

TEST(ProtocolTest, ConcurrentThreadsGetTheirOwnAnswers) {
    Connected c;
    c.device.answerDelay = std::chrono::milliseconds(1);
    std::atomic<int> mismatches{0};
    auto worker = [&](std::uint16_t offset) {
        for (int i = 0; i < 50; ++i) {
            CommandReport answer;
            const CommandReport req = buildRequest(CMD_READ_SETTINGS, offset, {}, 8);
            if (exchange(c.link, req, answer) != STATUS_OK || answer.offset() != offset)
                ++mismatches;
        }
    };
    std::thread a(worker, 64), b(worker, 128), d(worker, 192);
    a.join();
    b.join();
    d.join();
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
}  // namespace quillon::link
