#include "link/interface_listing.h"

namespace quillon::link {

ListingResult listSupportedInterfaces(platform::HidBackend& backend,
                                      std::vector<ListedInterface>& out) {
    std::vector<std::string> paths;
    if (!backend.enumerate(paths))
        return ListingResult::enumerationFailed;
    std::vector<ListedInterface> found;
    for (std::string& path : paths) {
        const PathIds ids = parsePathIds(path);
        const Product* product = findProduct(ids.vendorId, ids.productId);
        if (product == nullptr)
            continue;
        ListedInterface entry{std::move(path), ids, product, std::nullopt, std::nullopt};
        // No access rights asked: the collection is readable without them.
        if (auto conn = backend.open(entry.path, platform::HidOpenFlags{})) {
            entry.usagePage = conn->collection().usagePage;
            entry.usage = conn->collection().usage;
        }
        found.push_back(std::move(entry));
    }
    out = std::move(found);
    return ListingResult::ok;
}

}  // namespace quillon::link
