#include "platform/hid/report_descriptor.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "platform/sample_descriptors.h"

namespace quillon::platform {
namespace {

std::optional<ReportDescriptor> parse(std::span<const std::uint8_t> bytes,
                                      DescriptorError* error = nullptr) {
    return parseReportDescriptor(bytes, error);
}

std::optional<ReportDescriptor> parse(std::initializer_list<std::uint8_t> bytes,
                                      DescriptorError* error = nullptr) {
    const std::vector<std::uint8_t> v(bytes);
    return parseReportDescriptor(v, error);
}

std::vector<std::uint16_t> active(const ButtonCaps& caps, std::vector<std::uint8_t> report) {
    std::array<std::uint16_t, 16> out{};
    const std::size_t n = activeUsages(caps, report, out);
    return {out.begin(), out.begin() + n};
}

TEST(ReportDescriptorParse, VendorCommandCollectionHas64ByteReportsEachWay) {
    const auto d = parse(samples::kVendorCommand);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->collections.size(), 1u);
    const TopLevelCollection& c = d->collections[0];
    EXPECT_EQ(c.usagePage, 0xFF1C);
    EXPECT_EQ(c.usage, 0x92);
    EXPECT_EQ(c.inputReportLength, 64);
    EXPECT_EQ(c.outputReportLength, 64);
    EXPECT_EQ(c.featureReportLength, 0);
    EXPECT_EQ(c.reportIds, std::vector<std::uint8_t>{4});
    EXPECT_TRUE(c.usesReportId(4));
    EXPECT_FALSE(c.usesReportId(0));
    ASSERT_EQ(c.input.values.size(), 1u);
    EXPECT_EQ(c.input.values[0].reportCount, 63);
    EXPECT_EQ(c.input.values[0].reportSize, 8);
    EXPECT_EQ(c.input.values[0].logicalMax, 255);
    EXPECT_TRUE(c.input.buttons.empty());
}

TEST(ReportDescriptorParse, ConsumerControlDecodesAMouseEventCode) {
    const auto d = parse(samples::kConsumerControl);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->collections.size(), 1u);
    const TopLevelCollection& c = d->collections[0];
    EXPECT_EQ(c.usagePage, 0x0C);
    EXPECT_EQ(c.usage, 1);
    EXPECT_EQ(c.inputReportLength, 3);
    ASSERT_EQ(c.input.buttons.size(), 1u);
    const ButtonCaps& b = c.input.buttons[0];
    EXPECT_TRUE(b.isArray);
    EXPECT_TRUE(b.isRange);
    EXPECT_EQ(b.usageMin, 0);
    EXPECT_EQ(b.usageMax, 0x3FF);
    EXPECT_EQ(b.reportId, 3);

    EXPECT_EQ(active(b, {0x03, 0x01, 0x04}), std::vector<std::uint16_t>{0x0401});
    EXPECT_EQ(active(b, {0x03, 0x03, 0x04}), std::vector<std::uint16_t>{0x0403});
    // Slot value 0 is "nothing pressed"; another report id is not this item's report.
    EXPECT_TRUE(active(b, {0x03, 0x00, 0x00}).empty());
    EXPECT_TRUE(active(b, {0x04, 0x01, 0x04}).empty());
    // A report cut short yields nothing rather than reading past its end.
    EXPECT_TRUE(active(b, {0x03, 0x01}).empty());
}

TEST(ReportDescriptorParse, BootKeyboardWithoutReportIds) {
    const auto d = parse(samples::kBootKeyboard);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->collections.size(), 1u);
    const TopLevelCollection& c = d->collections[0];
    EXPECT_EQ(c.usagePage, 0x01);
    EXPECT_EQ(c.usage, 0x06);
    EXPECT_TRUE(c.reportIds.empty());
    EXPECT_TRUE(c.usesReportId(0));
    EXPECT_EQ(c.inputReportLength, 9);   // id byte + modifiers + reserved + 6 keys
    EXPECT_EQ(c.outputReportLength, 2);  // id byte + 5 LED bits + padding
    ASSERT_EQ(c.input.buttons.size(), 2u);
    const ButtonCaps& modifiers = c.input.buttons[0];
    const ButtonCaps& keys = c.input.buttons[1];
    EXPECT_FALSE(modifiers.isArray);
    EXPECT_EQ(modifiers.usagePage, 0x07);
    EXPECT_EQ(modifiers.usageMin, 0xE0);
    EXPECT_EQ(modifiers.usageMax, 0xE7);
    EXPECT_EQ(modifiers.bitOffset, 0u);
    EXPECT_TRUE(keys.isArray);
    EXPECT_EQ(keys.bitOffset, 16u);  // after modifiers and the constant reserved byte
    EXPECT_EQ(keys.reportCount, 6);
    ASSERT_EQ(c.output.buttons.size(), 1u);
    EXPECT_EQ(c.output.buttons[0].usagePage, 0x08);

    const std::vector<std::uint8_t> report{0x00, 0x22, 0x00, 0x04, 0x05, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(active(modifiers, report), (std::vector<std::uint16_t>{0xE1, 0xE5}));
    EXPECT_EQ(active(keys, report), (std::vector<std::uint16_t>{0x04, 0x05}));
}

TEST(ReportDescriptorParse, InterfaceWithThreeTopLevelCollections) {
    const auto d = parse(samples::kMouseInterface);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->collections.size(), 3u);
    const TopLevelCollection& mouse = d->collections[0];
    EXPECT_EQ(mouse.usagePage, 0x01);
    EXPECT_EQ(mouse.usage, 0x02);
    EXPECT_EQ(mouse.reportIds, std::vector<std::uint8_t>{1});
    EXPECT_EQ(mouse.inputReportLength, 1 + 6);
    EXPECT_EQ(mouse.outputReportLength, 0);
    EXPECT_EQ(d->collections[1].usagePage, 0x0C);
    EXPECT_EQ(d->collections[1].reportIds, std::vector<std::uint8_t>{3});
    EXPECT_EQ(d->collections[1].inputReportLength, 3);
    EXPECT_EQ(d->collections[2].usagePage, 0xFF1C);
    EXPECT_EQ(d->collections[2].inputReportLength, 64);
    EXPECT_FALSE(mouse.usesReportId(4));

    // X, Y (one range of two usages would be a range; these are two single usages) and wheel.
    ASSERT_EQ(mouse.input.values.size(), 3u);
    const ValueCaps& x = mouse.input.values[0];
    const ValueCaps& y = mouse.input.values[1];
    const ValueCaps& wheel = mouse.input.values[2];
    EXPECT_EQ(x.usageMin, 0x30);
    EXPECT_EQ(y.usageMin, 0x31);
    EXPECT_EQ(x.bitOffset, 8u);
    EXPECT_EQ(y.bitOffset, 24u);
    EXPECT_EQ(wheel.bitOffset, 40u);
    EXPECT_EQ(x.logicalMin, -32767);

    // buttons 1 and 3, x = -2, y = 300, wheel = -1
    const std::vector<std::uint8_t> report{0x01, 0x05, 0xFE, 0xFF, 0x2C, 0x01, 0xFF};
    EXPECT_EQ(active(mouse.input.buttons[0], report), (std::vector<std::uint16_t>{1, 3}));
    EXPECT_EQ(usageValue(x, 0x30, report), 0xFFFEu);
    EXPECT_EQ(scaledUsageValue(x, 0x30, report), -2);
    EXPECT_EQ(scaledUsageValue(y, 0x31, report), 300);
    EXPECT_EQ(scaledUsageValue(wheel, 0x38, report), -1);
    EXPECT_FALSE(usageValue(x, 0x31, report));  // not this caps' usage
    const std::vector<std::uint8_t> shortReport{0x01, 0x05, 0xFE, 0xFF, 0x2C};
    EXPECT_FALSE(usageValue(y, 0x31, shortReport));
}

TEST(ReportDescriptorParse, ItemsThatShapeButDoNotReport) {
    // A long item is skipped whole; Push/Pop restore the report size and id.
    // clang-format off
    const auto d = parse({
        0xFE, 0x03, 0x10, 0xAA, 0xBB, 0xCC,  // long item with 3 data bytes
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,
        0x85, 0x02, 0x75, 0x08, 0x95, 0x02,
        0xA4,                                // Push
        0x85, 0x07, 0x75, 0x10, 0x95, 0x04, 0x09, 0x02, 0xB1, 0x02,  // feature id 7: 8 bytes
        0xB4,                                // Pop
        0x09, 0x03, 0x81, 0x02,              // input id 2: 2 x 8 bits
        0xC0,
    });
    // clang-format on
    ASSERT_TRUE(d);
    const TopLevelCollection& c = d->collections.at(0);
    EXPECT_EQ(c.usagePage, 0xFF00);
    EXPECT_EQ(c.inputReportLength, 3);
    EXPECT_EQ(c.featureReportLength, 9);
    EXPECT_EQ(c.reportIds, (std::vector<std::uint8_t>{2, 7}));
    EXPECT_EQ(c.input.values.at(0).reportId, 2);
}

TEST(ReportDescriptorParse, ExtendedUsagesCarryTheirOwnPage) {
    // clang-format off
    const auto d = parse({
        0x0B, 0x01, 0x00, 0x0C, 0x00,  // Usage (Consumer:Consumer Control), no Usage Page item
        0xA1, 0x01, 0x85, 0x01,
        0x1B, 0xE2, 0x00, 0x0C, 0x00,  // Usage Minimum (Consumer:0xE2)
        0x2B, 0xEA, 0x00, 0x0C, 0x00,  // Usage Maximum (Consumer:0xEA)
        0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x09, 0x81, 0x02,
        0x95, 0x07, 0x81, 0x01, 0xC0,
    });
    // clang-format on
    ASSERT_TRUE(d);
    const TopLevelCollection& c = d->collections.at(0);
    EXPECT_EQ(c.usagePage, 0x0C);
    EXPECT_EQ(c.usage, 1);
    ASSERT_EQ(c.input.buttons.size(), 1u);
    EXPECT_EQ(c.input.buttons[0].usagePage, 0x0C);
    EXPECT_TRUE(c.input.buttons[0].isRange);
    // bits 0 and 8: 0xE2 and 0xEA
    EXPECT_EQ(active(c.input.buttons[0], {0x01, 0x01, 0x01}),
              (std::vector<std::uint16_t>{0xE2, 0xEA}));
}

TEST(ReportDescriptorParse, ArrayOverAListOfUsagesMapsEachValueToItsUsage) {
    // clang-format off
    const auto d = parse({
        0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,
        0x09, 0xE2, 0x09, 0xE9, 0x09, 0xEA,  // Mute, Volume Up, Volume Down
        0x15, 0x01, 0x25, 0x03, 0x75, 0x08, 0x95, 0x02, 0x81, 0x00, 0xC0,
    });
    // clang-format on
    ASSERT_TRUE(d);
    const auto& buttons = d->collections.at(0).input.buttons;
    ASSERT_EQ(buttons.size(), 3u);
    std::vector<std::uint16_t> all;
    for (const ButtonCaps& b : buttons) {
        const auto a = active(b, {0x00, 0x02, 0x03});
        all.insert(all.end(), a.begin(), a.end());
    }
    EXPECT_EQ(all, (std::vector<std::uint16_t>{0xE9, 0xEA}));
}

TEST(ReportDescriptorParse, UnsignedLogicalMaximumWrittenInOneByte) {
    // 0x25 0xFF is -1 read signed; with a minimum of 0 it means 255.
    // clang-format off
    const auto d = parse({0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x25, 0xFF,
                          0x75, 0x08, 0x95, 0x01, 0x09, 0x01, 0x81, 0x02, 0xC0});
    // clang-format on
    ASSERT_TRUE(d);
    const ValueCaps& v = d->collections.at(0).input.values.at(0);
    EXPECT_EQ(v.logicalMax, 255);
    EXPECT_EQ(scaledUsageValue(v, 1, std::vector<std::uint8_t>{0x00, 0xC8}), 200);
}

TEST(ReportDescriptorParse, ScaledValueUsesThePhysicalRange) {
    // clang-format off
    const auto d = parse({0x05, 0x01, 0x09, 0x05, 0xA1, 0x01, 0x09, 0x32,  // Z
                          0x15, 0x00, 0x26, 0xFF, 0x00,                    // logical 0..255
                          0x35, 0x00, 0x46, 0xE8, 0x03,                    // physical 0..1000
                          0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0});
    // clang-format on
    ASSERT_TRUE(d);
    const ValueCaps& z = d->collections.at(0).input.values.at(0);
    EXPECT_EQ(scaledUsageValue(z, 0x32, std::vector<std::uint8_t>{0x00, 0xFF}), 1000);
    EXPECT_EQ(scaledUsageValue(z, 0x32, std::vector<std::uint8_t>{0x00, 0x00}), 0);
    EXPECT_EQ(usageValue(z, 0x32, std::vector<std::uint8_t>{0x00, 0x80}), 0x80u);
}

TEST(ReportDescriptorParse, EmptyDescriptorHasNoCollections) {
    const auto d = parse(std::span<const std::uint8_t>{});
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->collections.empty());
}

struct Malformed {
    const char* what;
    std::vector<std::uint8_t> bytes;
};

class ReportDescriptorMalformed : public testing::TestWithParam<Malformed> {};

TEST_P(ReportDescriptorMalformed, IsRefusedWithAnError) {
    DescriptorError error;
    EXPECT_FALSE(parseReportDescriptor(GetParam().bytes, &error));
    EXPECT_FALSE(error.message.empty());
    EXPECT_LE(error.offset, GetParam().bytes.size());
}

std::vector<std::uint8_t> repeated(std::uint8_t byte, std::size_t n,
                                   std::vector<std::uint8_t> tail = {}) {
    std::vector<std::uint8_t> v(n, byte);
    v.insert(v.end(), tail.begin(), tail.end());
    return v;
}

std::vector<std::uint8_t> nestedCollections(std::size_t depth) {
    std::vector<std::uint8_t> v;
    for (std::size_t i = 0; i < depth; ++i)
        v.insert(v.end(), {0xA1, 0x01});
    for (std::size_t i = 0; i < depth; ++i)
        v.push_back(0xC0);
    return v;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ReportDescriptorMalformed,
    testing::Values(
        Malformed{"truncated short item", {0x05, 0x01, 0x26, 0xFF}},
        Malformed{"truncated long item", {0xFE, 0x05, 0x00, 0x01}},
        Malformed{"long item header cut", {0xFE, 0x05}},
        Malformed{"end collection first", {0xC0}},
        Malformed{"collection not closed", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01}},
        Malformed{"input outside a collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
        Malformed{"pop without push", {0xB4}},
        Malformed{"push too deep", repeated(0xA4, 17)},
        Malformed{"collections too deep", nestedCollections(33)},
        Malformed{"report id 0", {0xA1, 0x01, 0x85, 0x00, 0xC0}},
        Malformed{"report count 65535", {0x96, 0xFF, 0xFF}},
        Malformed{"report size above 256", {0x76, 0x01, 0x01}},
        Malformed{"usage minimum above maximum", {0xA1, 0x01, 0x19, 0x05, 0x29, 0x01, 0xC0}},
        Malformed{"ids next to id-less items",
                  {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0x85, 0x01, 0x81, 0x02,
                   0xC0}},
        Malformed{"report longer than 16 KiB",
                  {0xA1, 0x01, 0x76, 0x00, 0x01, 0x96, 0x00, 0x30, 0x81, 0x01, 0xC0}},
        Malformed{"nested delimiter", {0xA1, 0x01, 0xA9, 0x01, 0xA9, 0x01, 0xC0}},
        Malformed{"descriptor above 4096 bytes", repeated(0x00, 4097)}),
    [](const testing::TestParamInfo<Malformed>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });
// clang-format on

TEST(ReportDescriptorParse, ManyUsagesAndCollectionsStayBounded) {
    // 65 top-level collections exceed the bound.
    std::vector<std::uint8_t> many;
    for (int i = 0; i < 65; ++i)
        many.insert(many.end(), {0xA1, 0x01, 0xC0});
    EXPECT_FALSE(parseReportDescriptor(many));
    // 1025 usages before one main item exceed the bound.
    std::vector<std::uint8_t> usages{0xA1, 0x01};
    for (int i = 0; i < 1025; ++i)
        usages.insert(usages.end(), {0x09, 0x01});
    usages.insert(usages.end(), {0x75, 0x01, 0x95, 0x01, 0x81, 0x02, 0xC0});
    EXPECT_FALSE(parseReportDescriptor(usages));
}

TEST(ReportDecoding, CapsBuiltByHandAreReadWithinTheReport) {
    // Field offsets far beyond the report never read outside it.
    ButtonCaps b;
    b.reportId = 0;
    b.usageMin = 1;
    b.usageMax = 0xFFFF;
    b.isRange = true;
    b.bitOffset = 0xFFFFFFF0u;
    b.reportSize = 1;
    b.reportCount = 0xFFFF;
    EXPECT_TRUE(active(b, {0x00, 0xFF}).empty());
    ValueCaps v;
    v.usageMin = v.usageMax = 1;
    v.reportSize = 40;  // wider than a value can be
    v.reportCount = 1;
    EXPECT_FALSE(usageValue(v, 1, std::vector<std::uint8_t>(16, 0xFF)));
    EXPECT_EQ(activeUsages(b, {}, {}), 0u);
}

}  // namespace
}  // namespace quillon::platform
