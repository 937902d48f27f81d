#include "emu/interface_layout.h"

#include <cstdio>

#include "emu/report_descriptors.h"

namespace quillon::emu {
namespace {

template <typename... Parts>
std::vector<std::uint8_t> concat(const Parts&... parts) {
    std::vector<std::uint8_t> out;
    (out.insert(out.end(), parts.begin(), parts.end()), ...);
    return out;
}

InterfaceLayout makeInterface(std::uint16_t productId, std::uint8_t number,
                              std::vector<std::uint8_t> descriptor,
                              std::vector<CollectionRole> roles, std::uint32_t instance) {
    InterfaceLayout layout{number, std::move(descriptor), {}};
    for (std::size_t i = 0; i < roles.size(); ++i) {
        const auto col = roles.size() > 1 ? std::uint8_t(i + 1) : std::uint8_t(0);
        layout.collections.push_back({roles[i], interfacePath(productId, number, col, instance)});
    }
    return layout;
}

}  // namespace

std::string interfacePath(std::uint16_t productId, std::uint8_t interfaceNumber,
                          std::uint8_t collectionNumber, std::uint32_t instance) {
    char col[8] = "";
    if (collectionNumber != 0)
        std::snprintf(col, sizeof col, "&col%02x", collectionNumber);
    // The instance part ends with the collection's index within its interface.
    const unsigned index = collectionNumber == 0 ? 0u : collectionNumber - 1u;
    char path[160];
    std::snprintf(path, sizeof path,
                  "\\\\?\\hid#vid_%04x&pid_%04x&mi_%02x%s#8&%07x&0&%04x"
                  "#{4d1e55b2-f16f-11cf-88cb-001111000030}",
                  unsigned(link::kVendorId), unsigned(productId), unsigned(interfaceNumber), col,
                  (0x2f1c3a5u + instance * 0x10000u) & 0xFFFFFFFu, index);
    return path;
}

std::vector<InterfaceLayout> interfaceLayout(const ProductDescription& d, std::uint32_t instance) {
    const std::uint16_t pid = d.product.productId;
    std::vector<InterfaceLayout> layout;
    std::uint8_t number = 0;
    if (d.product.kind == link::DeviceKind::keyboard)
        layout.push_back(makeInterface(pid, number++, concat(kBootKeyboardDescriptor),
                                       {CollectionRole::bootKeyboard}, instance));
    if (d.product.hasEventInterface)
        layout.push_back(makeInterface(
            pid, number, concat(kEventCollectionDescriptor, kCommandCollectionDescriptor),
            {CollectionRole::events, CollectionRole::command}, instance));
    else
        layout.push_back(makeInterface(pid, number, concat(kCommandCollectionDescriptor),
                                       {CollectionRole::command}, instance));
    return layout;
}

}  // namespace quillon::emu
