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

    // An interface of "/dev/hidraw5", as the enumeration would describe it.
    std::unique_ptr<HidConnection> connect(std::uint16_t productId,
                                           std::optional<std::uint8_t> interfaceNumber,
                                           std::uint16_t collectionIndex,
                                           std::span<const std::uint8_t> descriptor) {
        HidInterface iface;
        iface.node = "/dev/hidraw5";
        iface.vendorId = 0x0C45;
        iface.productId = productId;
        iface.interfaceNumber = interfaceNumber;
        iface.collectionIndex = collectionIndex;
        return connectCollection(fds_[0], iface, identity_, descriptor);
    }

    int fds_[2] = {-1, -1};
    HidrawIdentity identity_;
    AbortSignal abort_;
};

TEST_F(NodeConnectionTest, InterfaceFromTheEnumerationSelectsItsCollection) {
    auto conn = connect(0x5523, 1, 1, samples::kMouseInterface);
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

TEST_F(NodeConnectionTest, NodeWithOneCollection) {
    auto conn = connect(0x5523, 1, 0, samples::kVendorCommand);
    ASSERT_NE(conn, nullptr);
    EXPECT_EQ(conn->collection().usagePage, 0xFF1C);
    EXPECT_EQ(conn->collection().outputReportLength, 64);
}

TEST_F(NodeConnectionTest, RefusedAndTheFdClosedWhenTheInterfaceNamesSomethingElse) {
    // Another device now holds the node's number.
    EXPECT_EQ(connect(0x8611, 1, 0, samples::kVendorCommand), nullptr);
    EXPECT_EQ(::fcntl(fds_[0], F_GETFD), -1);
    ::close(fds_[1]);
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds_), 0);
    // A fourth collection of a node that has three.
    EXPECT_EQ(connect(0x5523, 1, 3, samples::kMouseInterface), nullptr);
    ::close(fds_[1]);
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds_), 0);
    // Another interface of the same device.
    EXPECT_EQ(connect(0x5523, 2, 0, samples::kVendorCommand), nullptr);
    ::close(fds_[1]);
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds_), 0);
    // A descriptor that does not parse.
    const std::vector<std::uint8_t> broken{0xA1, 0x01};
    EXPECT_EQ(connect(0x5523, 1, 0, broken), nullptr);
}

}  // namespace
}  // namespace quillon::platform
