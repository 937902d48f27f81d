#include "platform/hid/linux/interface_list.h"

#include <gtest/gtest.h>

#include "platform/sample_descriptors.h"

namespace quillon::platform {
namespace {

HidrawNode node(const std::string& name, std::uint16_t product, std::optional<std::uint8_t> mi,
                std::span<const std::uint8_t> descriptor) {
    HidrawNode n;
    n.node = name;
    n.identity.attributes = {0x0C45, product, 0x0100};
    n.identity.interfaceNumber = mi;
    n.descriptor.assign(descriptor.begin(), descriptor.end());
    return n;
}

std::vector<std::string> nodeNames(const std::vector<HidInterface>& interfaces) {
    std::vector<std::string> names;
    for (const HidInterface& i : interfaces)
        names.push_back(i.node);
    return names;
}

TEST(InterfaceList, OnePerTopLevelCollectionOrderedByNodeNumber) {
    const std::vector<HidrawNode> nodes{
        node("/dev/hidraw10", 0x5104, 0, samples::kVendorCommand),
        node("/dev/hidraw2", 0x5523, 1, samples::kMouseInterface),
        node("/dev/hidraw9", 0x8611, std::nullopt, samples::kBootKeyboard),
    };
    const auto list = listInterfaces(nodes);
    EXPECT_EQ(nodeNames(list),
              (std::vector<std::string>{"/dev/hidraw2", "/dev/hidraw2", "/dev/hidraw2",
                                        "/dev/hidraw9", "/dev/hidraw10"}));
    // The mouse node's second collection: the consumer control.
    const HidInterface& consumer = list[1];
    EXPECT_EQ(consumer.vendorId, 0x0C45);
    EXPECT_EQ(consumer.productId, 0x5523);
    EXPECT_EQ(consumer.interfaceNumber, 1);
    EXPECT_EQ(consumer.collectionIndex, 1);
    EXPECT_EQ(consumer.collectionCount, 3);
    EXPECT_EQ(consumer.collectionNumber(), 2u);
    EXPECT_EQ(consumer.usagePage, 0x0C);
    EXPECT_EQ(consumer.usage, 1);
    EXPECT_EQ(consumer.inputReportLength, 3);
    // A node with one collection has no collection number; no USB interface, no number.
    EXPECT_EQ(list[3].collectionNumber(), 0u);
    EXPECT_FALSE(list[3].interfaceNumber);
    EXPECT_EQ(list[4].usagePage, 0xFF1C);
    EXPECT_EQ(list[4].outputReportLength, 64);
}

TEST(InterfaceList, ManyNodesAllKeptInOrder) {
    std::vector<HidrawNode> nodes;
    for (int i = 19; i >= 0; --i)
        nodes.push_back(
            node("/dev/hidraw" + std::to_string(i), 0x8611, 0, samples::kVendorCommand));
    const auto names = nodeNames(listInterfaces(nodes));
    ASSERT_EQ(names.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(names[i], "/dev/hidraw" + std::to_string(i));
}

TEST(InterfaceList, NodesWithoutUsableDescriptorsAreLeftOut) {
    const std::vector<std::uint8_t> broken{0xA1, 0x01};
    const std::vector<HidrawNode> nodes{
        node("/dev/hidraw0", 0x8611, 0, broken),
        node("/dev/hidraw1", 0x8611, 1, std::span<const std::uint8_t>{}),
        node("/dev/hidraw2", 0x8611, 2, samples::kConsumerControl),
        node("/dev/input3", 0x8611, 3, samples::kConsumerControl),
        node("hidraw4", 0x8611, 4, samples::kConsumerControl),
    };
    EXPECT_EQ(nodeNames(listInterfaces(nodes)), std::vector<std::string>{"/dev/hidraw2"});
}

}  // namespace
}  // namespace quillon::platform
