#pragma once

// The devices `--demo` plugs in so a newcomer sees every view work, and the
// names by which the user picks them: `--demo keyboard-onecolour,mouse-2`.

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "emu/virtual_bus.h"
#include "link/device_catalogue.h"

namespace quillon::emu {

struct DemoProduct {
    std::string_view name;
    link::DeviceKind kind;
    std::uint8_t variant;
};

inline constexpr std::array<DemoProduct, 7> kDemoProducts{{
    {"keyboard-rgb", link::DeviceKind::keyboard, 0},
    {"keyboard-onecolour", link::DeviceKind::keyboard, 1},
    {"keyboard-membrane", link::DeviceKind::keyboard, 2},
    {"mouse-0", link::DeviceKind::mouse, 0},
    {"mouse-1", link::DeviceKind::mouse, 1},
    {"mouse-2", link::DeviceKind::mouse, 2},
    {"mousepad", link::DeviceKind::mousepad, 0},
}};

// What `--demo` plugs when it names nothing.
inline constexpr std::array<DemoProduct, 3> kDefaultDemoProducts{kDemoProducts[0], kDemoProducts[3],
                                                                 kDemoProducts[6]};

// A full-speed USB interrupt endpoint moves one report per millisecond: demo
// devices answer that fast, so what the program does costs what it would
// with real devices.
inline constexpr std::chrono::milliseconds kDemoReportLatency{1};

enum class DemoListError : std::uint8_t {
    none,
    empty,         // no name at all
    unknownName,   // `name` is no product
    twoOfOneKind,  // `name` is a second keyboard, mouse or mousepad
};

struct DemoList {
    std::vector<DemoProduct> products;
    DemoListError error = DemoListError::none;
    std::string name;  // the name at fault
};

// Reads a comma-separated list of product names ("keyboard-onecolour,mouse-2"),
// at most one device of each kind; the program drives one of each.
DemoList parseDemoList(std::string_view list);
// What is wrong with a list that did not parse, in a sentence.
std::string describeProblem(const DemoList& list);
// "keyboard-rgb, keyboard-onecolour, ...", for help texts and messages.
std::string demoProductNames();
// Whether `argument` is meant as a product list rather than something else
// (a command of quillonctl, say): it begins with a device kind.
bool looksLikeDemoList(std::string_view argument);

// Plugs the products into `bus`, each answering at kDemoReportLatency.
void attachDemoDevices(VirtualBus& bus,
                       std::span<const DemoProduct> products = kDefaultDemoProducts);

}  // namespace quillon::emu
