#include "profiles/profile_content.h"

#include <gtest/gtest.h>

#include <vector>

#include "profiles/profile_fixture.h"

namespace quillon::profiles {
namespace {

using testing::FreshAccount;
using testing::readBytes;
using testing::writeBytes;

template <std::size_t N>
std::array<std::uint8_t, N> pattern(std::uint8_t seed) {
    std::array<std::uint8_t, N> a{};
    for (std::size_t i = 0; i < N; ++i)
        a[i] = std::uint8_t(seed + i * 13 + (i >> 8));
    return a;
}

class ProfileContentTest : public ::testing::Test {
  protected:
    // Makes `name` entry i of a list and selects it.
    void addEntry(ProfileListId list, int i, std::string_view name) {
        ProfileIndex index = account.store.index(list);
        ASSERT_EQ(index.writeCount(i + 1), IniWriteResult::ok);
        ASSERT_EQ(index.writeName(i, name), IniWriteResult::ok);
        ASSERT_EQ(index.writeSelect(i), IniWriteResult::ok);
    }
    std::filesystem::path file(DeviceKind kind, std::string_view name) {
        return account.folders.profileFolder(kind) / std::string(name);
    }
    template <std::size_t N>
    void writeFile(DeviceKind kind, std::string_view name,
                   const std::array<std::uint8_t, N>& record, std::uint16_t code) {
        ASSERT_EQ(writeProfileFile(file(kind, name), record, code, account.ini.locks()),
                  platform::FileWriteResult::ok);
    }

    FreshAccount account;
};

TEST_F(ProfileContentTest, EveryListRoundTripsItsRecordByteForByte) {
    addEntry(ProfileListId::keyboardLighting, 0, "Game");
    addEntry(ProfileListId::keyboardKeys, 1, "Keys");
    addEntry(ProfileListId::mouseLighting, 0, "Mouse");
    addEntry(ProfileListId::mouseKeys, 0, "Mouse keys");
    addEntry(ProfileListId::mousepadLighting, 0, "Pad");
    const auto kbLed = pattern<1958>(1);
    const auto kbPro = pattern<512>(2);
    const auto msLed = pattern<64>(3);  // bytes 23 and 24 are not 0
    const auto msPro = pattern<512>(4);
    const auto mpLed = pattern<64>(5);
    writeFile(DeviceKind::keyboard, "Game.led", kbLed, 1);
    writeFile(DeviceKind::keyboard, "Keys.pro", kbPro, 1);
    writeFile(DeviceKind::mouse, "Mouse.led", msLed, 2);
    writeFile(DeviceKind::mouse, "Mouse keys.pro", msPro, 2);
    writeFile(DeviceKind::mousepad, "Pad.led", mpLed, 3);
    const auto before = readBytes(file(DeviceKind::keyboard, "Game.led"));

    KeyboardLightingMemory kb;
    KeyMapMemory kbKeys, msKeys;
    MouseLightingMemory ms;
    MousepadLightingMemory mp;
    ASSERT_EQ(loadProfile(account.store, 0, kb), ProfileReadResult::ok);
    ASSERT_EQ(loadProfile(account.store, ProfileListId::keyboardKeys, 1, kbKeys),
              ProfileReadResult::ok);
    ASSERT_EQ(loadProfile(account.store, 0, ms), ProfileReadResult::ok);
    ASSERT_EQ(loadProfile(account.store, ProfileListId::mouseKeys, 0, msKeys),
              ProfileReadResult::ok);
    ASSERT_EQ(loadProfile(account.store, 0, mp), ProfileReadResult::ok);

    // Where the bytes went.
    EXPECT_TRUE(std::equal(kb.keyboardState.begin(), kb.keyboardState.end(), kbLed.begin()));
    EXPECT_EQ(kb.customColours[0], kbLed[64]);
    EXPECT_EQ(kb.customColours.back(), kbLed.back());
    EXPECT_EQ(ms.pointerSpeed, msLed[23]);
    EXPECT_EQ(ms.wheelLines, msLed[24]);
    EXPECT_TRUE(std::equal(ms.mouseState.begin(), ms.mouseState.end(), msLed.begin()));
    EXPECT_TRUE(std::equal(mp.mousepadState.begin(), mp.mousepadState.end(), mpLed.begin()));
    EXPECT_EQ(kbKeys.bytes, kbPro);

    std::filesystem::remove(file(DeviceKind::keyboard, "Game.led"));
    ASSERT_EQ(saveCurrentProfile(account.store, kb), ProfileSaveResult::ok);
    ASSERT_EQ(saveCurrentProfile(account.store, ProfileListId::keyboardKeys, kbKeys),
              ProfileSaveResult::ok);
    ASSERT_EQ(saveCurrentProfile(account.store, ms), ProfileSaveResult::ok);
    ASSERT_EQ(saveCurrentProfile(account.store, ProfileListId::mouseKeys, msKeys),
              ProfileSaveResult::ok);
    ASSERT_EQ(saveCurrentProfile(account.store, mp), ProfileSaveResult::ok);
    EXPECT_EQ(readBytes(file(DeviceKind::keyboard, "Game.led")), before);
    auto body = [&](DeviceKind k, std::string_view n) {
        auto b = readBytes(file(k, n));
        return std::vector<std::uint8_t>(b.begin() + 16, b.end());
    };
    EXPECT_EQ(body(DeviceKind::keyboard, "Keys.pro"),
              std::vector<std::uint8_t>(kbPro.begin(), kbPro.end()));
    EXPECT_EQ(body(DeviceKind::mouse, "Mouse.led"),
              std::vector<std::uint8_t>(msLed.begin(), msLed.end()));
    EXPECT_EQ(body(DeviceKind::mouse, "Mouse keys.pro"),
              std::vector<std::uint8_t>(msPro.begin(), msPro.end()));
    EXPECT_EQ(body(DeviceKind::mousepad, "Pad.led"),
              std::vector<std::uint8_t>(mpLed.begin(), mpLed.end()));
    EXPECT_EQ(readBytes(file(DeviceKind::mouse, "Mouse.led"))[4], 2);
    EXPECT_EQ(readBytes(file(DeviceKind::mousepad, "Pad.led"))[4], 3);
}

TEST_F(ProfileContentTest, SavingPutsTheCurrentStateIntoTheFirstSlotRecord) {
    addEntry(ProfileListId::mouseLighting, 0, "Mouse");
    MouseLightingMemory ms;
    ms.firstSlotRecord.fill(0xEE);
    ms.mouseState.fill(0x11);
    ms.pointerSpeed = 20;
    ms.wheelLines = 10;
    ASSERT_EQ(saveCurrentProfile(account.store, ms), ProfileSaveResult::ok);
    const auto bytes = readBytes(file(DeviceKind::mouse, "Mouse.led"));
    ASSERT_EQ(bytes.size(), 80u);
    EXPECT_EQ(bytes[16 + 22], 0x11);
    EXPECT_EQ(bytes[16 + 23], 20);
    EXPECT_EQ(bytes[16 + 24], 10);
    EXPECT_EQ(bytes[16 + 25], 0xEE);  // the rest of the slot record is carried
}

TEST_F(ProfileContentTest, AnEightyByteKeyboardLightingFileLoadsWithZeroedColourSets) {
    addEntry(ProfileListId::keyboardLighting, 0, "Small");
    writeFile(DeviceKind::keyboard, "Small.led", pattern<64>(9), 1);
    KeyboardLightingMemory kb;
    kb.customColours.fill(0x55);
    ASSERT_EQ(loadProfile(account.store, 0, kb), ProfileReadResult::ok);
    EXPECT_EQ(kb.firstSlotRecord, pattern<64>(9));
    for (auto b : kb.customColours)
        ASSERT_EQ(b, 0);
}

TEST_F(ProfileContentTest, MouseSpeedAndWheelLinesOfZeroLoadAsOne) {
    addEntry(ProfileListId::mouseLighting, 0, "Zero");
    std::array<std::uint8_t, 64> record{};
    writeFile(DeviceKind::mouse, "Zero.led", record, 2);
    MouseLightingMemory ms;
    ASSERT_EQ(loadProfile(account.store, 0, ms), ProfileReadResult::ok);
    EXPECT_EQ(ms.pointerSpeed, 1);
    EXPECT_EQ(ms.wheelLines, 1);
}

TEST_F(ProfileContentTest, AMouseKeyFileImportedIntoTheKeyboardListBecomesItsKeyMap) {
    addEntry(ProfileListId::keyboardKeys, 0, "From mouse");
    const auto mouseKeys = pattern<512>(42);
    writeFile(DeviceKind::keyboard, "From mouse.pro", mouseKeys, 2);
    KeyMapMemory keys;
    ASSERT_EQ(loadProfile(account.store, ProfileListId::keyboardKeys, 0, keys),
              ProfileReadResult::ok);
    EXPECT_EQ(keys.bytes, mouseKeys);
}

TEST_F(ProfileContentTest, MissingForeignOrUnsafeFilesChangeNothingInMemory) {
    addEntry(ProfileListId::mousepadLighting, 0, "Gone");
    MousepadLightingMemory mp;
    mp.firstSlotRecord.fill(7);
    EXPECT_EQ(loadProfile(account.store, 0, mp), ProfileReadResult::missing);

    std::vector<std::uint8_t> bigEndian(80, 1);
    bigEndian[0] = 0x55;
    bigEndian[1] = 0xAA;
    writeBytes(file(DeviceKind::mousepad, "Gone.led"), bigEndian);
    EXPECT_EQ(loadProfile(account.store, 0, mp), ProfileReadResult::foreign);
    EXPECT_EQ(mp.firstSlotRecord[0], 7);

    // A stored name that leaves the folder gets no file operation at all.
    writeFile(DeviceKind::keyboard, "secret.led", pattern<64>(1), 1);
    addEntry(ProfileListId::mousepadLighting, 0, "../kb/secret");
    EXPECT_EQ(loadProfile(account.store, 0, mp), ProfileReadResult::missing);
    EXPECT_EQ(saveCurrentProfile(account.store, mp), ProfileSaveResult::badName);
    EXPECT_EQ(readBytes(file(DeviceKind::keyboard, "secret.led")).size(), 80u);
    EXPECT_EQ(mp.firstSlotRecord[0], 7);
}

TEST_F(ProfileContentTest, FileNamesMatchWithoutRegardToCase) {
    addEntry(ProfileListId::keyboardKeys, 0, "game");
    writeFile(DeviceKind::keyboard, "GAME.PRO", pattern<512>(3), 1);
    KeyMapMemory keys;
    ASSERT_EQ(loadProfile(account.store, ProfileListId::keyboardKeys, 0, keys),
              ProfileReadResult::ok);
    ASSERT_EQ(saveCurrentProfile(account.store, ProfileListId::keyboardKeys, keys),
              ProfileSaveResult::ok);
    // The save replaced the existing file instead of making a second one.
    EXPECT_FALSE(std::filesystem::exists(file(DeviceKind::keyboard, "game.pro")));
}

}  // namespace
}  // namespace quillon::profiles
