#pragma once

// Which HID interfaces and top-level collections an emulated product presents,
// in enumeration order, with their report descriptors and the node each
// interface appears as ("virtual/8611-0/1": product, instance, interface).
// The command collection is never a device's first one, so a poll always
// meets interfaces that do not match first.

#include <cstdint>
#include <string>
#include <vector>

#include "emu/product_description.h"

namespace quillon::emu {

enum class CollectionRole : std::uint8_t { command, events, bootKeyboard };

struct InterfaceLayout {
    std::uint8_t interfaceNumber;
    std::string node;
    std::vector<std::uint8_t> descriptor;  // the interface's whole report descriptor
    std::vector<CollectionRole> roles;     // of its collections, in descriptor order
};

// `instance` tells apart devices of the same product plugged at the same time.
std::vector<InterfaceLayout> interfaceLayout(const ProductDescription& description,
                                             std::uint32_t instance);

std::string interfaceNode(std::uint16_t productId, std::uint8_t interfaceNumber,
                          std::uint32_t instance);

}  // namespace quillon::emu
