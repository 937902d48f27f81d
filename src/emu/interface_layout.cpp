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
    return {number, interfaceNode(productId, number, instance), std::move(descriptor),
            std::move(roles)};
}

}  // namespace

std::string interfaceNode(std::uint16_t productId, std::uint8_t interfaceNumber,
                          std::uint32_t instance) {
    char node[48];
    std::snprintf(node, sizeof node, "virtual/%04x-%u/%u", unsigned(productId), unsigned(instance),
                  unsigned(interfaceNumber));
    return node;
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
