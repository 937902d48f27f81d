#include "emu/demo_devices.h"

#include <algorithm>

namespace quillon::emu {
namespace {

const DemoProduct* findDemoProduct(std::string_view name) {
    for (const DemoProduct& p : kDemoProducts)
        if (p.name == name)
            return &p;
    return nullptr;
}

}  // namespace

DemoList parseDemoList(std::string_view list) {
    DemoList result;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view name = list.substr(start, comma - start);
        start = comma + 1;
        if (name.empty())
            continue;
        const DemoProduct* product = findDemoProduct(name);
        if (product == nullptr) {
            result.error = DemoListError::unknownName;
        } else if (std::any_of(result.products.begin(), result.products.end(),
                               [&](const DemoProduct& p) { return p.kind == product->kind; })) {
            result.error = DemoListError::twoOfOneKind;
        } else {
            result.products.push_back(*product);
            continue;
        }
        result.name = name;
        result.products.clear();
        return result;
    }
    if (result.products.empty())
        result.error = DemoListError::empty;
    return result;
}

std::string describeProblem(const DemoList& list) {
    switch (list.error) {
        case DemoListError::none:
            return {};
        case DemoListError::empty:
            return "no product named; the products are " + demoProductNames();
        case DemoListError::unknownName:
            return "unknown product '" + list.name + "'; the products are " + demoProductNames();
        case DemoListError::twoOfOneKind:
            return "'" + list.name +
                   "' is a second device of its kind; name at most one keyboard, " +
                   "one mouse and one mousepad";
    }
    return {};
}

std::string demoProductNames() {
    std::string names;
    for (const DemoProduct& p : kDemoProducts) {
        if (!names.empty())
            names += ", ";
        names += p.name;
    }
    return names;
}

bool looksLikeDemoList(std::string_view argument) {
    // Every product name begins with its kind; a misspelt one is still a list.
    return argument.starts_with("keyboard") || argument.starts_with("mouse");
}

void attachDemoDevices(VirtualBus& bus, std::span<const DemoProduct> products) {
    for (const DemoProduct& demo : products) {
        // Catalogued products always plug (their descriptors are tested);
        // the devices stay on the bus, which owns them.
        if (const link::Product* product = catalogueProduct(demo.kind, demo.variant))
            if (const auto device = bus.plug(*product))
                device->setLatency(kDemoReportLatency);
    }
}

}  // namespace quillon::emu
