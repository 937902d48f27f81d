#include "platform/hid/linux/interface_paths.h"

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

TEST(InterfacePaths, OnePathPerTopLevelCollectionOrderedByNodeNumber) {
    const std::vector<HidrawNode> nodes{
        node("/dev/hidraw10", 0x5104, 0, samples::kVendorCommand),
        node("/dev/hidraw2", 0x5523, 1, samples::kMouseInterface),
        node("/dev/hidraw9", 0x8611, std::nullopt, samples::kBootKeyboard),
    };
    EXPECT_EQ(interfacePaths(nodes), (std::vector<std::string>{
                                         "/dev/hidraw2#vid_0c45&pid_5523&mi_01&col01#",
                                         "/dev/hidraw2#vid_0c45&pid_5523&mi_01&col02#",
                                         "/dev/hidraw2#vid_0c45&pid_5523&mi_01&col03#",
                                         "/dev/hidraw9#vid_0c45&pid_8611#",
                                         "/dev/hidraw10#vid_0c45&pid_5104&mi_00#",
                                     }));
}

TEST(InterfacePaths, ManyNodesAllKeptInOrder) {
    std::vector<HidrawNode> nodes;
    for (int i = 19; i >= 0; --i)
        nodes.push_back(
            node("/dev/hidraw" + std::to_string(i), 0x8611, 0, samples::kVendorCommand));
    const auto paths = interfacePaths(nodes);
    ASSERT_EQ(paths.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(paths[i].substr(0, paths[i].find('#')), "/dev/hidraw" + std::to_string(i));
}

TEST(InterfacePaths, NodesWithoutUsableDescriptorsAreLeftOut) {
    const std::vector<std::uint8_t> broken{0xA1, 0x01};
    const std::vector<HidrawNode> nodes{
        node("/dev/hidraw0", 0x8611, 0, broken),
        node("/dev/hidraw1", 0x8611, 1, std::span<const std::uint8_t>{}),
        node("/dev/hidraw2", 0x8611, 2, samples::kConsumerControl),
        node("/dev/input3", 0x8611, 3, samples::kConsumerControl),
    };
    EXPECT_EQ(interfacePaths(nodes),
              std::vector<std::string>{"/dev/hidraw2#vid_0c45&pid_8611&mi_02#"});
}

}  // namespace
}  // namespace quillon::platform
