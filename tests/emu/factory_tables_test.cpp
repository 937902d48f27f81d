#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "emu/factory_keymap.h"
#include "emu/product_description.h"

namespace quillon::emu {
namespace {

using link::DeviceKind;

TEST(FactoryKeymaps, HaveTheirLengthsAndKnownSlots) {
    EXPECT_EQ(kRgbKeyboardFactoryKeys.size(), 104u);
    EXPECT_EQ(kOneColourKeyboardFactoryKeys.size(), 104u);
    EXPECT_EQ(kMembraneKeyboardFactoryKeys.size(), 106u);
    EXPECT_EQ(kMouseFactoryKeys.size(), 42u);

    EXPECT_EQ(kRgbKeyboardFactoryKeys[0], (FactoryKey{0x20, 0x00, 0x29}));    // Esc
    EXPECT_EQ(kRgbKeyboardFactoryKeys[16], (FactoryKey{0x20, 0x00, 0x35}));   // grave accent
    EXPECT_EQ(kRgbKeyboardFactoryKeys[73], (FactoryKey{0x20, 0x02, 0x00}));   // LShift
    EXPECT_EQ(kRgbKeyboardFactoryKeys[94], (FactoryKey{0xA0, 0x02, 0x02}));   // layer key
    EXPECT_EQ(kRgbKeyboardFactoryKeys[103], (FactoryKey{0x20, 0x00, 0x57}));  // Num +
    EXPECT_EQ(kMembraneKeyboardFactoryKeys[104], (FactoryKey{0x20, 0x00, 0x64}));
    EXPECT_EQ(kMembraneKeyboardFactoryKeys[105], (FactoryKey{0x20, 0x80, 0x00}));  // RWin
    EXPECT_EQ(kMouseFactoryKeys[2], (FactoryKey{0x10, 0x02, 0x00}));               // right button
    EXPECT_EQ(kMouseFactoryKeys[41], (FactoryKey{0x20, 0x00, 0x00}));
}

TEST(FactoryKeymaps, EveryKeyboardKeyOccursOnceSoEachPositionFindsItsSlot) {
    for (auto keys : {std::span<const FactoryKey>(kRgbKeyboardFactoryKeys),
                      std::span<const FactoryKey>(kMembraneKeyboardFactoryKeys)}) {
        std::set<std::tuple<int, int, int>> seen;
        for (const FactoryKey& k : keys) {
            EXPECT_NE(k, (FactoryKey{0x20, 0, 0}));
            EXPECT_TRUE(seen.insert({k.type, k.p1, k.p2}).second) << int(k.p1) << " " << int(k.p2);
        }
    }
}

TEST(FactoryKeymaps, TheImageHoldsThreeBytesPerSlotAndZeroAfter) {
    const auto image = factoryKeymapImage(kRgbKeyboardFactoryKeys);
    EXPECT_EQ(image.size(), 512u);
    EXPECT_EQ(image[3 * 94], 0xA0);
    EXPECT_EQ(image[3 * 94 + 1], 0x02);
    for (std::size_t i = 312; i < 512; ++i)
        ASSERT_EQ(image[i], 0) << i;
    EXPECT_TRUE(factoryKeys(DeviceKind::mousepad, 0).empty());
    EXPECT_EQ(factoryKeys(DeviceKind::mouse, 2).size(), 42u);
}

TEST(ProductDescriptions, CoverTheWholeCatalogue) {
    ASSERT_EQ(allDescriptions().size(), link::kProducts.size());
    for (const link::Product& p : link::kProducts) {
        const ProductDescription* d = findDescription(p.productId);
        ASSERT_NE(d, nullptr) << p.name;
        EXPECT_EQ(d->product.productId, p.productId);
        EXPECT_LE(3 * d->keySlots(), 512u);
    }
    EXPECT_EQ(findDescription(0x1234), nullptr);
}

TEST(ProductDescriptions, FactorySettingsAreSensibleRecords) {
    const auto& rgb = *findDescription(catalogueProduct(DeviceKind::keyboard, 0)->productId);
    const auto kb = factorySettingsArea(rgb);
    EXPECT_EQ(kb[0], 0);   // active slot
    EXPECT_EQ(kb[1], 3);   // spectrum cycle
    EXPECT_EQ(kb[2], 14);  // full brightness

    const auto& mouse = *findDescription(catalogueProduct(DeviceKind::mouse, 0)->productId);
    const auto ms = factorySettingsArea(mouse);
    for (std::size_t s = 0; s < kSlotCount; ++s) {
        const std::uint8_t* r = ms.data() + s * 64;
        EXPECT_EQ(r[0], s);
        EXPECT_EQ(r[14], 3);  // report-rate index
        for (std::size_t stage = 1; stage < 5; ++stage)
            EXPECT_LT(r[14 + stage], r[15 + stage]);
        EXPECT_LE(r[20], mouse.sensor.highestLevel);
        EXPECT_LE(r[21], 5);   // current stage
        EXPECT_EQ(r[23], 10);  // pointer speed
        EXPECT_EQ(r[24], 3);   // wheel lines
        for (std::size_t i = 56; i < 64; ++i)
            EXPECT_EQ(r[i], 0);
    }
}

}  // namespace
}  // namespace quillon::emu
