#include "platform/hid/linux/node_connection.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <vector>

#include "platform/sample_descriptors.h"

namespace quillon::platform {
namespace {

class NodeConnectionTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds_), 0);
        identity_.attributes = {0x0C45, 0x5523, 0x0102};
        identity_.interfaceNumber = 1;
    }
    void TearDown() override { ::close(fds_[1]); }

    std::unique_ptr<HidConnection> connect(const char* pathText,
                                           std::span<const std::uint8_t> descriptor) {
        const auto path = parseHidrawPath(pathText);
        EXPECT_TRUE(path) << pathText;
        return path ? connectCollection(fds_[0], *path, identity_, descriptor) : nullptr;
    }

    int fds_[2] = {-1, -1};
    HidrawIdentity identity_;
    AbortSignal abort_;
};

TEST_F(NodeConnectionTest, PathFromTheEnumerationSelectsItsCollection) {
    HidrawPath p{"/dev/hidraw5", 0x0C45, 0x5523, 1, 2};
    auto conn = connect(formatHidrawPath(p).c_str(), samples::kMouseInterface);
    ASSERT_NE(conn, nullptr);
    EXPECT_EQ(conn->collection().usagePage, 0x0C);
    EXPECT_EQ(conn->collection().usage, 1);
    EXPECT_EQ(conn->collection().inputReportLength, 3);
    EXPECT_EQ(conn->attributes().versionNumber, 0x0102);

    // Of the node's reports only the consumer control's reach this connection.
    const std::vector<std::vector<std::uint8_t>> sent{{0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00},
                                                      {0x03, 0x01, 0x04}};
    for (const auto& r : sent)
        ASSERT_EQ(::send(fds_[1], r.data(), r.size(), 0), ssize_t(r.size()));
    std::array<std::uint8_t, 3> in{};
    std::size_t n = 0;
    ASSERT_EQ(conn->readReport(in, 300, abort_, n), TransferStatus::completed);
    std::array<std::uint16_t, 4> usages{};
    ASSERT_EQ(activeUsages(conn->collection().input.buttons.at(0), in, usages), 1u);
    EXPECT_EQ(usages[0], 0x0401);
}

TEST_F(NodeConnectionTest, NodeWithOneCollectionHasNoCollectionNumber) {
    auto conn = connect("/dev/hidraw5#vid_0c45&pid_5523&mi_01#", samples::kVendorCommand);
    ASSERT_NE(conn, nullptr);
    EXPECT_EQ(conn->collection().usagePage, 0xFF1C);
    EXPECT_EQ(conn->collection().outputReportLength, 64);
}

TEST_F(NodeConnectionTest, RefusedAndTheFdClosedWhenThePathNamesSomethingElse) {
    // Another device now holds the node's number.
    EXPECT_EQ(connect("/dev/hidraw5#vid_0c45&pid_8611&mi_01#", samples::kVendorCommand), nullptr);
    EXPECT_EQ(::fcntl(fds_[0], F_GETFD), -1);
    ::close(fds_[1]);
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds_), 0);
    // The path names a fourth collection of a node that has three.
    EXPECT_EQ(connect("/dev/hidraw5#vid_0c45&pid_5523&mi_01&col04#", samples::kMouseInterface),
              nullptr);
    ::close(fds_[1]);
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds_), 0);
    // Another interface of the same device.
    EXPECT_EQ(connect("/dev/hidraw5#vid_0c45&pid_5523&mi_02#", samples::kVendorCommand), nullptr);
    ::close(fds_[1]);
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds_), 0);
    // A descriptor that does not parse.
    const std::vector<std::uint8_t> broken{0xA1, 0x01};
    EXPECT_EQ(connect("/dev/hidraw5#vid_0c45&pid_5523&mi_01#", broken), nullptr);
}

}  // namespace
}  // namespace quillon::platform
