#include "emu/demo_devices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "link/device_link.h"
#include "link/protocol.h"

namespace quillon::emu {
namespace {

using link::DeviceKind;

std::vector<std::string_view> namesOf(const DemoList& list) {
    std::vector<std::string_view> names;
    for (const DemoProduct& p : list.products)
        names.push_back(p.name);
    return names;
}

TEST(DemoList, NamesPickProductsAtMostOneOfEachKind) {
    const DemoList list = parseDemoList("keyboard-onecolour,mouse-2");
    ASSERT_EQ(list.error, DemoListError::none);
    ASSERT_EQ(list.products.size(), 2u);
    EXPECT_EQ(list.products[0].kind, DeviceKind::keyboard);
    EXPECT_EQ(list.products[0].variant, 1);
    EXPECT_EQ(list.products[1].kind, DeviceKind::mouse);
    EXPECT_EQ(list.products[1].variant, 2);
    EXPECT_EQ(namesOf(parseDemoList("mousepad,,keyboard-membrane,")),
              (std::vector<std::string_view>{"mousepad", "keyboard-membrane"}));

    const DemoList unknown = parseDemoList("mouse-1,keyboard-rbg");
    EXPECT_EQ(unknown.error, DemoListError::unknownName);
    EXPECT_EQ(unknown.name, "keyboard-rbg");
    EXPECT_TRUE(unknown.products.empty());
    EXPECT_NE(describeProblem(unknown).find("keyboard-rgb"), std::string::npos);

    const DemoList twice = parseDemoList("mouse-0,mouse-2");
    EXPECT_EQ(twice.error, DemoListError::twoOfOneKind);
    EXPECT_EQ(twice.name, "mouse-2");
    EXPECT_EQ(parseDemoList(",").error, DemoListError::empty);

    // quillonctl tells a list after --demo from its command by the first name.
    EXPECT_TRUE(looksLikeDemoList("mouse-2"));
    EXPECT_TRUE(looksLikeDemoList("keyboard-membrane,nonsense"));
    EXPECT_TRUE(looksLikeDemoList("mouse-3"));  // then refused as unknown
    EXPECT_FALSE(looksLikeDemoList("devices"));
    EXPECT_FALSE(looksLikeDemoList("info"));
}

TEST(DemoList, EveryCataloguedProductHasAName) {
    for (const link::Product& p : link::kProducts)
        EXPECT_TRUE(std::any_of(
            kDemoProducts.begin(), kDemoProducts.end(),
            [&](const DemoProduct& d) { return d.kind == p.kind && d.variant == p.variant; }))
            << p.productId;
}

TEST(DemoDevices, AnswerAboutOneReportPerMillisecond) {
    VirtualBus bus;
    const DemoList list = parseDemoList("keyboard-onecolour");
    attachDemoDevices(bus, list.products);
    ASSERT_EQ(bus.devices().size(), 1u);
    EXPECT_EQ(bus.devices()[0]->product().productId, 0x6556);

    link::DeviceLink keyboard(bus);
    keyboard.hid.devicePath = bus.devices()[0]->commandCollection().hidInterface;
    keyboard.hid.openForRead = keyboard.hid.openForWrite = true;
    ASSERT_TRUE(keyboard.hid.open());
    keyboard.connected = 1;
    const std::array<std::uint8_t, 126> frame{};
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(link::sendLedFrame(keyboard, frame), link::Status::ok);
    // Ten frames of three reports each.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
    EXPECT_EQ(bus.devices()[0]->frameCount(), 10u);
}

}  // namespace
}  // namespace quillon::emu

#define LLVMFuzzerTestOneInput fuzzDemoList
#include "../../fuzz/fuzz_demo_list.cpp"
#undef LLVMFuzzerTestOneInput

namespace {

TEST(FuzzSeeds, DemoListSeedsRunThroughTheTarget) {
    const std::filesystem::path corpus =
        std::filesystem::path(QUILLON_SOURCE_DATA_DIR).parent_path() / "fuzz/corpus/demo_list";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(fuzzDemoList(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                  0)
            << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 5);
}

}  // namespace
