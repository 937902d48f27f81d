#include "emu/product_description.h"

namespace quillon::emu {
namespace {

using link::DeviceKind;

constexpr link::Product product(DeviceKind kind, std::uint8_t variant) {
    return *catalogueProduct(kind, variant);
}

// Mouse sensors: lowest DPI + level × step spans the sensor's range.
constexpr SensorDescription kSensor3325{0x3325, 100, 48, 200};   // 200..5000
constexpr SensorDescription kSensor3050{0x3050, 50, 75, 250};    // 250..4000
constexpr SensorDescription kSensor3360{0x3360, 100, 119, 100};  // 100..12000

constexpr FactoryLighting kSpectrumCycle{3, 14, 7, 1, 0, 255, 0, 0};
// The one-colour keyboard's colour is fixed by its hardware.
constexpr FactoryLighting kOneColourBreathing{1, 14, 7, 1, 0, 36, 0, 255};
constexpr FactoryLighting kMousepadSpectrumCycle{1, 14, 7, 1, 0, 255, 0, 0};

constexpr std::array<ProductDescription, 7> kDescriptions{{
    {product(DeviceKind::keyboard, 0), 0x0103, {378, 0}, 32, 0, {}, kSpectrumCycle, {}},
    {product(DeviceKind::keyboard, 1), 0x0102, {126, 0}, 32, 0, {}, kOneColourBreathing, {}},
    {product(DeviceKind::keyboard, 2), 0x0101, {36, 0}, 32, 0, {}, kSpectrumCycle, {}},
    // 400, 800, 1600, 2400, 3200, 4800 DPI.
    {product(DeviceKind::mouse, 0),
     0x0105,
     {60, 30},
     16,
     kPatternMemorySize,
     kSensor3325,
     kSpectrumCycle,
     {2, 6, 14, 22, 30, 46}},
    // 500, 1000, 1500, 2000, 3000, 4000 DPI.
    {product(DeviceKind::mouse, 1),
     0x0104,
     {60, 30},
     16,
     kPatternMemorySize,
     kSensor3050,
     kSpectrumCycle,
     {5, 15, 25, 35, 55, 75}},
    // 400, 800, 1600, 3200, 6400, 12000 DPI.
    {product(DeviceKind::mouse, 2),
     0x0102,
     {60, 30},
     16,
     kPatternMemorySize,
     kSensor3360,
     kSpectrumCycle,
     {3, 7, 15, 31, 63, 119}},
    {product(DeviceKind::mousepad, 0), 0x0101, {45, 60}, 0, 0, {}, kMousepadSpectrumCycle, {}},
}};

// Settings record bytes past the LightingRecord.
constexpr std::size_t kLightingFirst = 1;
constexpr std::size_t kDpiColour = 11;
constexpr std::size_t kReportRateIndex = 14;
constexpr std::size_t kDpiLevels = 15;
constexpr std::size_t kCurrentDpiStage = 21;
constexpr std::size_t kLiftOffLevel = 22;
constexpr std::size_t kPointerSpeed = 23;
constexpr std::size_t kWheelLines = 24;

// Each onboard slot gets its own colour so that a slot switch shows.
constexpr std::array<std::array<std::uint8_t, 3>, kSlotCount> kSlotColours{
    {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {0, 255, 255}}};

}  // namespace

const ProductDescription* findDescription(std::uint16_t productId) {
    const link::Product* p = link::findProduct(link::kVendorId, productId);
    if (p == nullptr)
        return nullptr;
    for (const ProductDescription& d : kDescriptions)
        if (d.product.productId == p->productId)
            return &d;
    return nullptr;
}

std::span<const ProductDescription> allDescriptions() {
    return kDescriptions;
}

link::DeviceInfo makeDeviceInfo(const ProductDescription& d) {
    link::DeviceInfo info;
    auto& b = info.bytes;
    b[0] = std::uint8_t(d.product.productId & 0xFF);
    b[1] = std::uint8_t(d.product.productId >> 8);
    b[2] = std::uint8_t(d.versionNumber & 0xFF);
    b[3] = std::uint8_t(d.versionNumber >> 8);
    b[4] = static_cast<std::uint8_t>(d.product.kind);
    b[link::DeviceInfo::kKeyCount] = std::uint8_t(d.keySlots());
    b[link::DeviceInfo::kMacroMemoryUnits] = d.macroMemoryUnits;
    if (d.product.kind == link::DeviceKind::mouse) {
        b[9] = std::uint8_t(d.sensor.sensorId & 0xFF);
        b[10] = std::uint8_t(d.sensor.sensorId >> 8);
        b[11] = d.sensor.dpiStep;
        b[12] = d.sensor.highestLevel;
        b[13] = std::uint8_t(d.sensor.lowestDpi & 0xFF);
        b[14] = std::uint8_t(d.sensor.lowestDpi >> 8);
    }
    return info;
}

std::array<std::uint8_t, kSettingsAreaSize> factorySettingsArea(const ProductDescription& d) {
    std::array<std::uint8_t, kSettingsAreaSize> area{};
    for (std::size_t s = 0; s < kSlotCount; ++s) {
        std::uint8_t* r = area.data() + s * kSlotRecordStride;
        r[0] = std::uint8_t(s);
        const FactoryLighting& l = d.lighting;
        const bool fixedColour =
            d.product.kind == link::DeviceKind::keyboard && d.product.variant == 1;
        const std::array<std::uint8_t, 3> colour =
            fixedColour ? std::array<std::uint8_t, 3>{l.red, l.green, l.blue} : kSlotColours[s];
        const std::uint8_t lighting[8] = {l.mode,        l.brightness, l.speed,   l.direction,
                                          l.multiColour, colour[0],    colour[1], colour[2]};
        for (std::size_t i = 0; i < 8; ++i)
            r[kLightingFirst + i] = lighting[i];
        if (d.product.kind != link::DeviceKind::mouse)
            continue;
        for (std::size_t i = 0; i < 3; ++i)
            r[kDpiColour + i] = colour[i];
        r[kReportRateIndex] = 3;  // the fourth rate of the list: 1000 Hz
        for (std::size_t i = 0; i < d.dpiLevels.size(); ++i)
            r[kDpiLevels + i] = d.dpiLevels[i];
        r[kCurrentDpiStage] = 1;
        r[kLiftOffLevel] = 1;
        r[kPointerSpeed] = 10;
        r[kWheelLines] = 3;
    }
    // Offset 0 is the active slot as well as the first byte of slot 0's record.
    area[0] = 0;
    return area;
}

}  // namespace quillon::emu
