#include "platform/hid/linux/hidraw_connection.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <future>
#include <thread>
#include <vector>

#include "platform/sample_descriptors.h"

namespace quillon::platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Upper time bounds leave room for a loaded machine: "at once" means well
// below the limit the wait would otherwise run to.

std::chrono::milliseconds since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

TopLevelCollection collectionOf(std::span<const std::uint8_t> descriptor, std::size_t index) {
    auto parsed = parseReportDescriptor(descriptor);
    EXPECT_TRUE(parsed);
    return parsed ? parsed->collections.at(index) : TopLevelCollection{};
}

std::vector<std::uint8_t> report(std::uint8_t id, std::size_t length, std::uint8_t fill) {
    std::vector<std::uint8_t> r(length, fill);
    r[0] = id;
    return r;
}

// A connection over one end of a SOCK_SEQPACKET socketpair, which moves one
// whole message per read() like a hidraw node; the test plays the device at
// the other end.
class HidrawConnectionTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds_), 0); }
    void TearDown() override {
        if (fds_[1] >= 0)
            ::close(fds_[1]);
    }

    // The command collection of a device whose reports carry ids (3 and 4 here).
    std::unique_ptr<HidrawConnection> connectVendor() {
        return std::make_unique<HidrawConnection>(fds_[0], HidAttributes{0x0C45, 0x8611, 0x0105},
                                                  collectionOf(samples::kMouseInterface, 2), true);
    }

    void deviceSends(const std::vector<std::uint8_t>& r) {
        ASSERT_EQ(::send(fds_[1], r.data(), r.size(), 0), ssize_t(r.size()));
    }

    void closeDevice() {
        ::close(fds_[1]);
        fds_[1] = -1;
    }

    // Fills the connection's send path until another write would block, as
    // a device that stopped taking reports does.
    void stallDevice() {
        const int small = 4096;
        ASSERT_EQ(::setsockopt(fds_[0], SOL_SOCKET, SO_SNDBUF, &small, sizeof small), 0);
        const auto r = report(4, 64, 0xEE);
        while (::send(fds_[0], r.data(), r.size(), MSG_DONTWAIT) > 0) {
        }
        ASSERT_EQ(errno, EAGAIN);
    }

    std::size_t drainDevice() {
        std::size_t n = 0;
        std::array<std::uint8_t, 128> buf;
        while (::recv(fds_[1], buf.data(), buf.size(), MSG_DONTWAIT) > 0)
            ++n;
        return n;
    }

    int fds_[2] = {-1, -1};
    AbortSignal abort_;
};

TEST_F(HidrawConnectionTest, WholeReportsMoveBothWays) {
    auto conn = connectVendor();
    const auto out = report(4, 64, 0x5A);
    std::size_t written = 0;
    EXPECT_EQ(conn->writeReport(out, 1000, abort_, written), TransferStatus::completed);
    EXPECT_EQ(written, 64u);
    std::array<std::uint8_t, 128> got{};
    ASSERT_EQ(::recv(fds_[1], got.data(), got.size(), 0), 64);
    EXPECT_TRUE(std::equal(out.begin(), out.end(), got.begin()));

    deviceSends(report(4, 64, 0xA5));
    std::array<std::uint8_t, 64> in{};
    std::size_t n = 0;
    EXPECT_EQ(conn->readReport(in, 300, abort_, n), TransferStatus::completed);
    EXPECT_EQ(n, 64u);
    EXPECT_EQ(in[0], 4);
    EXPECT_EQ(in[63], 0xA5);
}

TEST_F(HidrawConnectionTest, ReportsOfOtherCollectionsOfTheNodeAreNotDelivered) {
    auto conn = connectVendor();
    deviceSends(report(1, 7, 0x01));  // the pointer's report
    deviceSends(report(3, 3, 0x02));  // the consumer control's report
    deviceSends(report(4, 64, 0x03));
    std::array<std::uint8_t, 64> in{};
    std::size_t n = 0;
    EXPECT_EQ(conn->readReport(in, 300, abort_, n), TransferStatus::completed);
    EXPECT_EQ(in[0], 4);
    EXPECT_EQ(n, 64u);
    // Only foreign reports queued: the time limit still applies.
    deviceSends(report(3, 3, 0x02));
    EXPECT_EQ(conn->readReport(in, 50, abort_, n), TransferStatus::timedOut);
}

TEST_F(HidrawConnectionTest, DeviceWithoutReportIdsGetsAZeroIdByte) {
    HidrawConnection conn(fds_[0], {}, collectionOf(samples::kBootKeyboard, 0), false);
    deviceSends({0x02, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00});  // hidraw: no id byte
    std::array<std::uint8_t, 9> in{};
    in.fill(0xFF);
    std::size_t n = 0;
    EXPECT_EQ(conn.readReport(in, 300, abort_, n), TransferStatus::completed);
    EXPECT_EQ(n, 9u);
    EXPECT_EQ(in[0], 0);
    EXPECT_EQ(in[1], 0x02);
    EXPECT_EQ(in[3], 0x04);
}

TEST_F(HidrawConnectionTest, ReadEndsAtItsTimeLimit) {
    auto conn = connectVendor();
    std::array<std::uint8_t, 64> in{};
    std::size_t n = 1;
    const auto start = Clock::now();
    EXPECT_EQ(conn->readReport(in, 120, abort_, n), TransferStatus::timedOut);
    EXPECT_GE(since(start), 115ms);
    EXPECT_LT(since(start), 1000ms);
    EXPECT_EQ(n, 0u);
}

TEST_F(HidrawConnectionTest, AbortFromAnotherThreadEndsAnUnlimitedReadAtOnce) {
    auto conn = connectVendor();
    auto reader = std::async(std::launch::async, [&] {
        std::array<std::uint8_t, 64> in{};
        std::size_t n = 0;
        return conn->readReport(in, kNoTimeLimit, abort_, n);
    });
    EXPECT_EQ(reader.wait_for(50ms), std::future_status::timeout);
    const auto start = Clock::now();
    abort_.set();
    ASSERT_EQ(reader.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(reader.get(), TransferStatus::aborted);
    EXPECT_LT(since(start), 500ms);
    // The wait consumed the signal: the next read waits normally.
    std::array<std::uint8_t, 64> in{};
    std::size_t n = 0;
    EXPECT_EQ(conn->readReport(in, 0, abort_, n), TransferStatus::timedOut);
}

TEST_F(HidrawConnectionTest, AbortSetBeforehandEndsTheNextWaitAtOnce) {
    auto conn = connectVendor();
    abort_.set();
    std::array<std::uint8_t, 64> in{};
    std::size_t n = 0;
    EXPECT_EQ(conn->readReport(in, kNoTimeLimit, abort_, n), TransferStatus::aborted);
    abort_.set();
    const auto out = report(4, 64, 0);
    EXPECT_EQ(conn->writeReport(out, 1000, abort_, n), TransferStatus::aborted);
    EXPECT_EQ(drainDevice(), 0u);  // nothing was sent for an aborted write
}

TEST_F(HidrawConnectionTest, DeviceGoneEndsTheReadAsFailed) {
    auto conn = connectVendor();
    auto reader = std::async(std::launch::async, [&] {
        std::array<std::uint8_t, 64> in{};
        std::size_t n = 0;
        return conn->readReport(in, kNoTimeLimit, abort_, n);
    });
    EXPECT_EQ(reader.wait_for(30ms), std::future_status::timeout);
    closeDevice();
    ASSERT_EQ(reader.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(reader.get(), TransferStatus::failed);
}

TEST_F(HidrawConnectionTest, ReportsQueuedBeforeTheDeviceLeftAreStillRead) {
    auto conn = connectVendor();
    deviceSends(report(4, 64, 0x11));
    closeDevice();
    std::array<std::uint8_t, 64> in{};
    std::size_t n = 0;
    EXPECT_EQ(conn->readReport(in, 300, abort_, n), TransferStatus::completed);
    EXPECT_EQ(conn->readReport(in, 300, abort_, n), TransferStatus::failed);
    std::size_t written = 0;
    EXPECT_EQ(conn->writeReport(report(4, 64, 0), 1000, abort_, written), TransferStatus::failed);
}

TEST_F(HidrawConnectionTest, StalledWriteTimesOutAndLaterWritesRecover) {
    auto conn = connectVendor();
    ASSERT_NO_FATAL_FAILURE(stallDevice());
    const auto out = report(4, 64, 0x42);
    std::size_t written = 7;
    auto start = Clock::now();
    EXPECT_EQ(conn->writeReport(out, 1000, abort_, written), TransferStatus::timedOut);
    EXPECT_GE(since(start), 990ms);
    EXPECT_LT(since(start), 2500ms);
    EXPECT_EQ(written, 0u);

    // The first write is still in the kernel: the next one waits for it and
    // an abort ends that wait at once.
    std::thread aborter([&] {
        std::this_thread::sleep_for(50ms);
        abort_.set();
    });
    start = Clock::now();
    EXPECT_EQ(conn->writeReport(out, 1000, abort_, written), TransferStatus::aborted);
    EXPECT_LT(since(start), 600ms);
    aborter.join();

    // Once the device takes reports again the stuck write completes and the
    // next write goes through.
    EXPECT_GT(drainDevice(), 0u);
    EXPECT_EQ(conn->writeReport(out, 1000, abort_, written), TransferStatus::completed);
    EXPECT_EQ(written, 64u);
}

TEST_F(HidrawConnectionTest, AbortEndsAStalledWriteAtOnce) {
    auto conn = connectVendor();
    ASSERT_NO_FATAL_FAILURE(stallDevice());
    std::thread aborter([&] {
        std::this_thread::sleep_for(50ms);
        abort_.set();
    });
    std::size_t written = 0;
    const auto start = Clock::now();
    EXPECT_EQ(conn->writeReport(report(4, 64, 1), 1000, abort_, written), TransferStatus::aborted);
    EXPECT_LT(since(start), 600ms);
    aborter.join();
    drainDevice();
}

TEST_F(HidrawConnectionTest, ClosingWithAWriteStuckInTheKernelNeitherBlocksNorClosesItsFd) {
    auto conn = connectVendor();
    ASSERT_NO_FATAL_FAILURE(stallDevice());
    std::size_t written = 0;
    EXPECT_EQ(conn->writeReport(report(4, 64, 1), 100, abort_, written), TransferStatus::timedOut);
    const auto start = Clock::now();
    conn.reset();
    EXPECT_LT(since(start), 500ms);
    EXPECT_NE(::fcntl(fds_[0], F_GETFD), -1) << "fd closed under a pending write";
    // When the write finally gets through, the writer ends and closes the fd.
    drainDevice();
    const auto deadline = Clock::now() + 2s;
    while (::fcntl(fds_[0], F_GETFD) != -1 && Clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    EXPECT_EQ(::fcntl(fds_[0], F_GETFD), -1);
}

TEST_F(HidrawConnectionTest, ClosingAnIdleConnectionEndsItsWriter) {
    auto conn = connectVendor();
    std::size_t written = 0;
    EXPECT_EQ(conn->writeReport(report(4, 64, 1), 1000, abort_, written),
              TransferStatus::completed);
    conn.reset();
    EXPECT_EQ(::fcntl(fds_[0], F_GETFD), -1);  // joined and closed at once
}

TEST_F(HidrawConnectionTest, DiscardDropsQueuedInputWithoutWaiting) {
    auto conn = connectVendor();
    for (int i = 0; i < 5; ++i)
        deviceSends(report(4, 64, std::uint8_t(i)));
    const auto start = Clock::now();
    conn->discardPendingInput();
    EXPECT_LT(since(start), 500ms);
    std::array<std::uint8_t, 64> in{};
    std::size_t n = 0;
    EXPECT_EQ(conn->readReport(in, 0, abort_, n), TransferStatus::timedOut);
    conn->discardPendingInput();  // nothing queued: returns at once
    deviceSends(report(4, 64, 9));
    EXPECT_EQ(conn->readReport(in, 300, abort_, n), TransferStatus::completed);
    EXPECT_EQ(in[1], 9);
}

// Not a pass/fail check: prints what one request/answer exchange costs.
TEST_F(HidrawConnectionTest, RoundTripCost) {
    auto conn = connectVendor();
    std::thread device([fd = fds_[1]] {
        std::array<std::uint8_t, 64> buf;
        ssize_t n;
        while ((n = ::recv(fd, buf.data(), buf.size(), 0)) > 0)
            ::send(fd, buf.data(), size_t(n), 0);
    });
    const auto out = report(4, 64, 0x33);
    std::array<std::uint8_t, 64> in{};
    constexpr int kRounds = 2000;
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i) {
        std::size_t n = 0;
        ASSERT_EQ(conn->writeReport(out, 1000, abort_, n), TransferStatus::completed);
        ASSERT_EQ(conn->readReport(in, 300, abort_, n), TransferStatus::completed);
    }
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    std::printf("write+read round trip over a socketpair: %.1f us\n", double(us.count()) / kRounds);
    ::shutdown(fds_[1], SHUT_RDWR);
    device.join();
}

}  // namespace
}  // namespace quillon::platform
