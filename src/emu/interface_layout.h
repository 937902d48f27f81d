#pragma once

// Which HID interfaces and top-level collections an emulated product presents,
// in enumeration order, with their report descriptors and their paths in the
// Windows form the link parses:
//   \\?\hid#vid_0c45&pid_8611&mi_01&col02#8&2f1c3a5&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}
// "&colNN" appears only when an interface holds several collections. The
// command collection is never a device's first path, so a poll always meets
// interfaces that do not match first.

#include <cstdint>
#include <string>
#include <vector>

#include "emu/product_description.h"

namespace quillon::emu {

enum class CollectionRole : std::uint8_t { command, events, bootKeyboard };

struct CollectionLayout {
    CollectionRole role;
    std::string path;
};

struct InterfaceLayout {
    std::uint8_t interfaceNumber;
    std::vector<std::uint8_t> descriptor;       // the interface's whole report descriptor
    std::vector<CollectionLayout> collections;  // in descriptor order
};

// `instance` tells apart devices of the same product plugged at the same time.
std::vector<InterfaceLayout> interfaceLayout(const ProductDescription& description,
                                             std::uint32_t instance);

std::string interfacePath(std::uint16_t productId, std::uint8_t interfaceNumber,
                          std::uint8_t collectionNumber, std::uint32_t instance);

}  // namespace quillon::emu
