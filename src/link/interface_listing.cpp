#include "link/interface_listing.h"

namespace quillon::link {

ListingResult listSupportedInterfaces(platform::HidBackend& backend,
                                      std::vector<ListedInterface>& out) {
    std::vector<platform::HidInterface> interfaces;
    if (!backend.enumerate(interfaces))
        return ListingResult::enumerationFailed;
    std::vector<ListedInterface> found;
    for (platform::HidInterface& iface : interfaces) {
        const Product* product = findProduct(iface.vendorId, iface.productId);
        if (product != nullptr)
            found.push_back(ListedInterface{std::move(iface), product});
    }
    out = std::move(found);
    return ListingResult::ok;
}

}  // namespace quillon::link
