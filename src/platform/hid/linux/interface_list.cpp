#include "platform/hid/linux/interface_list.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "platform/hid/linux/hidraw_path.h"
#include "platform/hid/report_descriptor.h"

namespace quillon::platform {

HidInterface describeCollection(const std::string& node, const HidrawIdentity& identity,
                                const ReportDescriptor& descriptor, std::size_t index) {
    const TopLevelCollection& c = descriptor.collections[index];
    HidInterface iface;
    iface.node = node;
    iface.vendorId = identity.attributes.vendorId;
    iface.productId = identity.attributes.productId;
    iface.interfaceNumber = identity.interfaceNumber;
    iface.collectionIndex = std::uint16_t(index);
    iface.collectionCount = std::uint16_t(descriptor.collections.size());
    iface.usagePage = c.usagePage;
    iface.usage = c.usage;
    iface.inputReportLength = c.inputReportLength;
    iface.outputReportLength = c.outputReportLength;
    iface.featureReportLength = c.featureReportLength;
    return iface;
}

std::vector<HidInterface> listInterfaces(std::span<const HidrawNode> nodes) {
    struct Entry {
        unsigned number;
        HidInterface iface;
    };
    std::vector<Entry> entries;
    for (const HidrawNode& n : nodes) {
        const auto number = hidrawNumber(n.node);
        const auto descriptor = parseReportDescriptor(n.descriptor);
        if (!isHidrawNodePath(n.node) || !number || !descriptor || descriptor->collections.empty())
            continue;
        // A descriptor of at most 4096 bytes cannot hold more collections.
        const std::size_t count = std::min<std::size_t>(descriptor->collections.size(),
                                                        std::numeric_limits<std::uint16_t>::max());
        for (std::size_t i = 0; i < count; ++i)
            entries.push_back(
                Entry{*number, describeCollection(n.node, n.identity, *descriptor, i)});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.number, a.iface.collectionIndex) <
               std::tie(b.number, b.iface.collectionIndex);
    });
    std::vector<HidInterface> interfaces;
    interfaces.reserve(entries.size());
    for (Entry& entry : entries)
        interfaces.push_back(std::move(entry.iface));
    return interfaces;
}

}  // namespace quillon::platform
