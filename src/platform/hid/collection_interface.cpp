#include "platform/hid/collection_interface.h"

namespace quillon::platform {

HidInterface describeCollection(std::string node, std::uint16_t vendorId, std::uint16_t productId,
                                std::optional<std::uint8_t> interfaceNumber,
                                std::span<const TopLevelCollection> collections,
                                std::size_t index) {
    const TopLevelCollection& c = collections[index];
    HidInterface iface;
    iface.node = std::move(node);
    iface.vendorId = vendorId;
    iface.productId = productId;
    iface.interfaceNumber = interfaceNumber;
    iface.collectionIndex = std::uint16_t(index);
    iface.collectionCount = std::uint16_t(collections.size());
    iface.usagePage = c.usagePage;
    iface.usage = c.usage;
    iface.inputReportLength = c.inputReportLength;
    iface.outputReportLength = c.outputReportLength;
    iface.featureReportLength = c.featureReportLength;
    return iface;
}

}  // namespace quillon::platform
