#include "profiles/profile_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "profiles/profile_records.h"
#include "profiles/temp_folder.h"

namespace quillon::profiles {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

std::vector<std::uint8_t> header(std::uint8_t b0 = 0xAA, std::uint8_t b1 = 0x55) {
    std::vector<std::uint8_t> h(16, 0);
    h[0] = b0;
    h[1] = b1;
    return h;
}

TEST(ProfileFileHeader, IsLittleEndianMagicAndKindCode) {
    constexpr auto h = ProfileFileHeader::make(2);
    static_assert(h.bytes[0] == 0xAA && h.bytes[1] == 0x55 && h.bytes[4] == 2);
    EXPECT_EQ(h.magic(), kProfileMagic);
    EXPECT_EQ(h.deviceKindCode(), 2);
    for (std::size_t i : {2u, 3u, 5u, 6u, 15u})
        EXPECT_EQ(h.bytes[i], 0) << i;
}

TEST(ReadProfileFile, MissingForeignAndShortFiles) {
    TempFolder dir;
    std::array<std::uint8_t, 64> record{};
    EXPECT_EQ(readProfileFile(dir.path() / "none.led", record), ProfileReadResult::missing);
    EXPECT_EQ(readProfileFile(dir.path(), record), ProfileReadResult::missing);  // a folder

    // The magic in big-endian order is foreign; the buffer is untouched.
    auto bytes = header(0x55, 0xAA);
    bytes.resize(80, 0x11);
    writeBytes(dir.path() / "be.led", bytes);
    record.fill(0x77);
    EXPECT_EQ(readProfileFile(dir.path() / "be.led", record), ProfileReadResult::foreign);
    EXPECT_EQ(record[0], 0x77);

    writeBytes(dir.path() / "empty.led", {});
    EXPECT_EQ(readProfileFile(dir.path() / "empty.led", record), ProfileReadResult::foreign);

    // A header alone, or a short record, fills what the file holds.
    record.fill(0);
    bytes = header();
    bytes.insert(bytes.end(), {1, 2, 3});
    writeBytes(dir.path() / "short.led", bytes);
    EXPECT_EQ(readProfileFile(dir.path() / "short.led", record), ProfileReadResult::ok);
    EXPECT_EQ(record[0], 1);
    EXPECT_EQ(record[2], 3);
    EXPECT_EQ(record[3], 0);
    writeBytes(dir.path() / "header.led", header());
    EXPECT_EQ(readProfileFile(dir.path() / "header.led", record), ProfileReadResult::ok);
}

TEST(ReadProfileFile, TheDeviceKindIsNotExamined) {
    // A mouse ".pro" (kind 2) read as a keyboard key record.
    TempFolder dir;
    KeyRecord mouse{};
    for (std::size_t i = 0; i < mouse.size(); ++i)
        mouse[i] = std::uint8_t(i * 7);
    platform::PathLocks locks;
    ASSERT_EQ(writeProfileFile(dir.path() / "m.pro", mouse, 2, locks),
              platform::FileWriteResult::ok);
    KeyRecord keyboard{};
    EXPECT_EQ(readProfileFile(dir.path() / "m.pro", keyboard), ProfileReadResult::ok);
    EXPECT_EQ(keyboard, mouse);
}

TEST(WriteProfileFile, WritesHeaderAndRecordOfEverySize) {
    TempFolder dir;
    platform::PathLocks locks;
    for (std::size_t size :
         {kKeyboardLightingRecordSize, kKeyRecordSize, kMouseLightingRecordSize}) {
        std::vector<std::uint8_t> record(size);
        for (std::size_t i = 0; i < size; ++i)
            record[i] = std::uint8_t(i);
        const auto path = dir.path() / ("f" + std::to_string(size));
        ASSERT_EQ(writeProfileFile(path, record, 1, locks), platform::FileWriteResult::ok);
        const auto bytes = readBytes(path);
        ASSERT_EQ(bytes.size(), 16 + size);
        EXPECT_EQ(bytes[0], 0xAA);
        EXPECT_EQ(bytes[1], 0x55);
        EXPECT_EQ(bytes[4], 1);
        EXPECT_TRUE(std::equal(record.begin(), record.end(), bytes.begin() + 16));
    }
    EXPECT_EQ(
        writeProfileFile(dir.path() / "no" / "x.led", std::vector<std::uint8_t>(64), 2, locks),
        platform::FileWriteResult::cannotCreate);
}

}  // namespace
}  // namespace quillon::profiles

#include <sys/stat.h>

namespace quillon::profiles {
namespace {

TEST(ReadProfileFile, AFifoInPlaceOfAProfileCountsAsMissingWithoutBlocking) {
    testing::TempFolder dir;
    const auto fifo = dir.path() / "New Profile 1.led";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::array<std::uint8_t, 64> record{};
    EXPECT_EQ(readProfileFile(fifo, record), ProfileReadResult::missing);
    std::string text;
    EXPECT_FALSE(platform::readWholeFile(fifo, text));
}

}  // namespace
}  // namespace quillon::profiles

#include "profiles/profile_lists.h"

namespace quillon::profiles {
namespace {

TEST(ProfileListsTable, HasTheFiveListsWithTheirSectionsAndSizes) {
    static_assert(kProfileLists.size() == 5);
    for (std::size_t i = 0; i < kProfileLists.size(); ++i)
        EXPECT_EQ(static_cast<std::size_t>(kProfileLists[i].id), i);
    const auto& kbKeys = profileList(ProfileListId::keyboardKeys);
    EXPECT_EQ(kbKeys.combo, "kb_key_profile_combo");
    EXPECT_EQ(kbKeys.indexFile, "kbProfile.ini");
    EXPECT_EQ(kbKeys.countSection, "PROFILECOUNT");
    EXPECT_EQ(kbKeys.linkPathSection, "PROCESS");
    EXPECT_EQ(kbKeys.extension, ".pro");
    const auto& pad = profileList(ProfileListId::mousepadLighting);
    EXPECT_EQ(pad.indexFile, "mpProfile.ini");
    EXPECT_EQ(pad.linkFlagSection, "PROFILELIKEDENGEXE");
    EXPECT_EQ(pad.recordSize, 64u);
    EXPECT_EQ(profileList(ProfileListId::keyboardLighting).recordSize, 1958u);
    EXPECT_EQ(profileList(ProfileListId::mouseLighting).selectSection, "PROFILEDENGSELECT");
    EXPECT_EQ(deviceKindCode(DeviceKind::mousepad), 3);
}

}  // namespace
}  // namespace quillon::profiles
