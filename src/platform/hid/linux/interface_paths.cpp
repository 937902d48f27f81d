#include "platform/hid/linux/interface_paths.h"

#include <algorithm>
#include <tuple>

#include "platform/hid/linux/hidraw_path.h"
#include "platform/hid/report_descriptor.h"

namespace quillon::platform {

std::vector<std::string> interfacePaths(std::span<const HidrawNode> nodes) {
    struct Entry {
        unsigned number;
        std::uint8_t collection;
        std::string path;
    };
    std::vector<Entry> entries;
    for (const HidrawNode& n : nodes) {
        const auto number = hidrawNumber(n.node);
        const auto descriptor = parseReportDescriptor(n.descriptor);
        if (!number || !descriptor || descriptor->collections.empty())
            continue;
        HidrawPath p;
        p.node = n.node;
        p.vendorId = n.identity.attributes.vendorId;
        p.productId = n.identity.attributes.productId;
        p.interfaceNumber = n.identity.interfaceNumber;
        // The path names at most 255 collections; the parser allows far fewer.
        const std::size_t count = std::min<std::size_t>(descriptor->collections.size(), 255);
        for (std::size_t i = 0; i < count; ++i) {
            p.collection = count > 1 ? std::uint8_t(i + 1) : 0;
            entries.push_back(Entry{*number, p.collection, formatHidrawPath(p)});
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.number, a.collection) < std::tie(b.number, b.collection);
    });
    std::vector<std::string> paths;
    paths.reserve(entries.size());
    for (Entry& entry : entries)
        paths.push_back(std::move(entry.path));
    return paths;
}

}  // namespace quillon::platform
