// The generated factory files: their headers, sizes and the settings they
// carry, and the key maps against the emulated devices' own factory maps.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "emu/factory_keymap.h"
#include "emu/product_description.h"
#include "platform/user_folders.h"
#include "profiles/profile_file.h"
#include "profiles/profile_lists.h"
#include "profiles/profile_records.h"
#include "profiles/temp_folder.h"

namespace quillon::profiles {
namespace {

std::filesystem::path factoryFile(std::string_view name) {
    return platform::buildTreeProgramDataFolder() / std::string(name);
}

struct Expected {
    std::string_view name;
    std::uint16_t kind;
    std::size_t recordSize;
};

constexpr std::array<Expected, 11> kFactoryFiles{{
    {"kbdengdefault.led", 1, 1958},
    {"kbonecolordengdefault.led", 1, 1958},
    {"kbdengregiondefault.led", 1, 1958},
    {"kbkeydefault.pro", 1, 512},
    {"kbkeyonecolordefault.pro", 1, 512},
    {"kbkeyfilmdefault.pro", 1, 512},
    {"msdengdefault.led", 2, 64},
    {"msdengdefault2.led", 2, 64},
    {"msdengdefault3.led", 2, 64},
    {"mskeydefault.pro", 2, 512},
    {"mpdengdefault.led", 3, 64},
}};

TEST(FactoryDefaults, ElevenFilesWithTheHeaderAndTheRecordOfTheirList) {
    for (const auto& e : kFactoryFiles) {
        const auto bytes = testing::readBytes(factoryFile(e.name));
        ASSERT_EQ(bytes.size(), kProfileHeaderSize + e.recordSize) << e.name;
        ProfileFileHeader h;
        std::copy_n(bytes.begin(), kProfileHeaderSize, h.bytes.begin());
        EXPECT_EQ(h.magic(), kProfileMagic) << e.name;
        EXPECT_EQ(h.deviceKindCode(), e.kind) << e.name;
    }
}

KeyboardLightingRecord keyboardLighting(std::string_view name) {
    KeyboardLightingRecord r{};
    EXPECT_EQ(readProfileFile(factoryFile(name), r), ProfileReadResult::ok);
    return r;
}

MouseLightingRecord mouseLighting(std::string_view name) {
    MouseLightingRecord r{};
    EXPECT_EQ(readProfileFile(factoryFile(name), r), ProfileReadResult::ok);
    return r;
}

TEST(FactoryDefaults, LightingIsTheFactoryLightingOfEachVariant) {
    // RGB keyboard: spectrum cycle (mode 3) at full brightness (14).
    const auto rgb = keyboardLighting("kbdengdefault.led");
    EXPECT_EQ(rgb[1], 3);
    EXPECT_EQ(rgb[2], 14);
    EXPECT_EQ(rgb[64], 0) << "customSet";
    // One-colour keyboard: its own colour, one level byte per key in every set.
    const auto one = keyboardLighting("kbonecolordengdefault.led");
    EXPECT_EQ(one[2], 14);
    EXPECT_EQ(one[6], 36);
    EXPECT_EQ(one[8], 255);
    EXPECT_EQ(one[68 + 125], 0xFF);
    EXPECT_EQ(one[68 + 126], 0);
    EXPECT_EQ(one[68 + 4 * 378], 0xFF);
    // Every keyboard and mouse default agrees with the emulated device's slot 0.
    for (std::uint16_t pid : {0x8611, 0x6556, 0x6523, 0x5523, 0x6656, 0x764D, 0x5104}) {
        const auto* d = emu::findDescription(pid);
        ASSERT_NE(d, nullptr);
        const auto area = emu::factorySettingsArea(*d);
        std::array<std::uint8_t, 64> record{};
        const std::string_view name = pid == 0x8611   ? "kbdengdefault.led"
                                      : pid == 0x6556 ? "kbonecolordengdefault.led"
                                      : pid == 0x6523 ? "kbdengregiondefault.led"
                                      : pid == 0x5523 ? "msdengdefault.led"
                                      : pid == 0x6656 ? "msdengdefault2.led"
                                      : pid == 0x764D ? "msdengdefault3.led"
                                                      : "mpdengdefault.led";
        EXPECT_EQ(readProfileFile(factoryFile(name), record), ProfileReadResult::ok);
        const std::size_t compared = d->product.kind == DeviceKind::mouse ? 25 : 9;
        for (std::size_t i = 0; i < compared; ++i)
            EXPECT_EQ(record[i], area[i]) << name << " byte " << i;
    }
}

TEST(FactoryDefaults, MiceHaveAscendingStagesFullSpeedRateAndSensibleSystemSettings) {
    for (auto name : {"msdengdefault.led", "msdengdefault2.led", "msdengdefault3.led"}) {
        const auto r = mouseLighting(name);
        for (int stage = 1; stage < 5; ++stage)
            EXPECT_LT(r[15 + stage - 1], r[15 + stage]) << name;
        EXPECT_EQ(r[11], 0xFF) << "DPI colour: the first preset, red";
        EXPECT_EQ(r[12], 0);
        EXPECT_EQ(r[13], 0);
        EXPECT_EQ(r[14], 3) << "report-rate index of 1000 Hz";
        EXPECT_EQ(r[kPointerSpeedOffset], 10);
        EXPECT_EQ(r[kWheelLinesOffset], 3);
    }
}

TEST(FactoryDefaults, KeyDefaultsAreTheEmulatedDevicesFactoryKeyMaps) {
    const std::array<std::pair<std::string_view, std::span<const emu::FactoryKey>>, 4> maps{{
        {"kbkeydefault.pro", emu::factoryKeys(DeviceKind::keyboard, 0)},
        {"kbkeyonecolordefault.pro", emu::factoryKeys(DeviceKind::keyboard, 1)},
        {"kbkeyfilmdefault.pro", emu::factoryKeys(DeviceKind::keyboard, 2)},
        {"mskeydefault.pro", emu::factoryKeys(DeviceKind::mouse, 0)},
    }};
    for (const auto& [name, keys] : maps) {
        KeyRecord record{};
        ASSERT_EQ(readProfileFile(factoryFile(name), record), ProfileReadResult::ok);
        EXPECT_EQ(record, emu::factoryKeymapImage(keys)) << name;
    }
}

}  // namespace
}  // namespace quillon::profiles
