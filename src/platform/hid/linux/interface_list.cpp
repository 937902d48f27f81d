#include "platform/hid/linux/interface_list.h"

#include <algorithm>
#include <tuple>

#include "platform/hid/collection_interface.h"
#include "platform/hid/linux/hidraw_path.h"
#include "platform/hid/report_descriptor.h"

namespace quillon::platform {

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
        // Fewer than 65536 collections: the kernel keeps at most 4096 descriptor bytes.
        for (std::size_t i = 0; i < descriptor->collections.size(); ++i)
            entries.push_back(
                Entry{*number,
                      describeCollection(n.node, n.identity.attributes.vendorId,
                                         n.identity.attributes.productId,
                                         n.identity.interfaceNumber, descriptor->collections, i)});
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
