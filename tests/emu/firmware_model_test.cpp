#include "emu/firmware_model.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

#include "emu/product_description.h"
#include "link/command_report.h"

namespace quillon::emu {
namespace {

using link::Command;
using link::CommandReport;
using link::DeviceKind;

const ProductDescription& describe(DeviceKind kind, std::uint8_t variant) {
    return *findDescription(catalogueProduct(kind, variant)->productId);
}

CommandReport request(Command command, std::uint16_t offset = 0, std::uint8_t length = 0,
                      std::span<const std::uint8_t> payload = {}) {
    return link::buildRequest(command, offset, payload, length);
}

CommandReport exchange(FirmwareModel& fw, const CommandReport& req) {
    CommandReport answer;
    fw.handle(req, answer);
    return answer;
}

// Moves `total` bytes the way the link's chunked transfers do: 56-byte chunks
// at base + p. Returns the bytes read (reads) and stops at a refused chunk.
std::vector<std::uint8_t> chunked(FirmwareModel& fw, Command command, std::uint16_t base,
                                  std::size_t total, std::span<const std::uint8_t> data = {},
                                  std::uint8_t* failedStatus = nullptr) {
    std::vector<std::uint8_t> read(total);
    for (std::size_t p = 0; p < total; p += 56) {
        const auto n = std::uint8_t(std::min<std::size_t>(56, total - p));
        const auto chunk = data.empty() ? std::span<const std::uint8_t>{} : data.subspan(p, n);
        const CommandReport a = exchange(fw, request(command, std::uint16_t(base + p), n, chunk));
        if (a.status() != kAnswerOk) {
            if (failedStatus)
                *failedStatus = a.status();
            break;
        }
        std::copy_n(a.payload().begin(), n, read.begin() + std::ptrdiff_t(p));
    }
    return read;
}

TEST(FirmwareAnswers, EchoCommandLengthAndOffsetWithAValidChecksum) {
    FirmwareModel fw(describe(DeviceKind::mouse, 0));
    const CommandReport a = exchange(fw, request(Command::readSettings, 64, 56));
    EXPECT_EQ(a.reportId(), 4);
    EXPECT_EQ(a.command(), 0x05);
    EXPECT_EQ(a.length(), 56);
    EXPECT_EQ(a.offset(), 64);
    EXPECT_EQ(a.status(), kAnswerOk);
    EXPECT_EQ(a.checksum(), link::reportChecksum(a.bytes));

    const CommandReport begin = exchange(fw, request(Command::begin));
    EXPECT_EQ(begin.command(), 0x01);
    EXPECT_EQ(begin.status(), kAnswerOk);
    EXPECT_EQ(exchange(fw, request(Command::end)).status(), kAnswerOk);
    EXPECT_EQ(fw.checksumMismatches(), 0u);
}

TEST(FirmwareAnswers, CountRequestsWhoseChecksumIsWrongButNotTheBareReset) {
    FirmwareModel fw(describe(DeviceKind::mousepad, 0));
    CommandReport bad = request(Command::begin);
    bad.bytes[1] ^= 0x10;
    EXPECT_EQ(exchange(fw, bad).status(), kAnswerOk);  // the device still answers
    CommandReport reset = request(Command::reset);
    reset.bytes[1] = reset.bytes[2] = 0;
    EXPECT_EQ(exchange(fw, reset).status(), kAnswerOk);
    EXPECT_EQ(fw.checksumMismatches(), 1u);
}

TEST(FirmwareAnswers, UnknownCommandsAndOversizedPayloadsAreRefused) {
    FirmwareModel fw(describe(DeviceKind::keyboard, 0));
    CommandReport odd = request(Command::begin);
    odd.bytes[3] = 0x42;
    link::sealChecksum(odd);
    EXPECT_EQ(exchange(fw, odd).status(), link::kStatusError);
    EXPECT_EQ(exchange(fw, request(Command::readSettings, 0, 57)).status(), link::kStatusError);
    // The mousepad keeps no key maps, macros or patterns.
    FirmwareModel pad(describe(DeviceKind::mousepad, 0));
    EXPECT_EQ(exchange(pad, request(Command::readKeymapBase, 0, 56)).status(), link::kStatusError);
    EXPECT_EQ(exchange(pad, request(Command::writeMacros, 0, 16)).status(), link::kStatusError);
    EXPECT_EQ(exchange(pad, request(Command::readCursors, 0, 16)).status(), link::kStatusError);
}

TEST(FirmwareInfo, KeyboardsReportKeysAndMacroMemoryMiceTheirSensor) {
    FirmwareModel kb(describe(DeviceKind::keyboard, 0));
    const CommandReport a = exchange(kb, request(Command::readInfo, 0, 31));
    EXPECT_EQ(a.length(), 31);
    EXPECT_EQ(a.payload()[5], 104);  // block length 312
    EXPECT_EQ(a.payload()[6], 32);   // 4096 bytes of macro memory
    EXPECT_LE(3 * a.payload()[5], 512);

    FirmwareModel mouse(describe(DeviceKind::mouse, 2));
    const CommandReport m = exchange(mouse, request(Command::readInfo, 0, 31));
    EXPECT_EQ(m.payload()[9], 0x60);  // sensor 0x3360, little-endian
    EXPECT_EQ(m.payload()[10], 0x33);
    EXPECT_EQ(m.payload()[11], 100);  // DPI step
    EXPECT_EQ(m.payload()[12], 119);  // highest level: 100 + 119 × 100 = 12000
    EXPECT_EQ(m.payload()[13], 100);  // lowest DPI
    EXPECT_EQ(m.payload()[14], 0);
    // Nothing past the 31 bytes.
    for (std::size_t i = 31; i < 56; ++i)
        EXPECT_EQ(m.payload()[i], 0) << i;
}

TEST(FirmwareSettings, ReadsAnyOffsetAndLengthOfTheArea) {
    FirmwareModel fw(describe(DeviceKind::mousepad, 0));
    const auto area = fw.settingsArea();
    for (const auto& [offset, length] : std::vector<std::pair<std::uint16_t, std::uint8_t>>{
             {0, 1}, {0, 56}, {128, 56}, {256, 56}, {70, 9}, {319, 1}}) {
        const CommandReport a = exchange(fw, request(Command::readSettings, offset, length));
        ASSERT_EQ(a.status(), kAnswerOk) << offset;
        for (std::size_t i = 0; i < length; ++i)
            EXPECT_EQ(a.payload()[i], area[offset + i]);
        for (std::size_t i = length; i < 56; ++i)
            EXPECT_EQ(a.payload()[i], 0);
    }
    EXPECT_EQ(exchange(fw, request(Command::readSettings, 300, 21)).status(), link::kStatusError);
}

TEST(FirmwareSettings, OneByteSelectsTheActiveSlotAndARecordGoesToTheSlotInItsFirstByte) {
    FirmwareModel fw(describe(DeviceKind::mouse, 0));
    const std::uint8_t three[1] = {3};
    EXPECT_EQ(exchange(fw, request(Command::writeSettings, 0, 1, three)).status(), kAnswerOk);
    EXPECT_EQ(fw.activeSlot(), 3);
    EXPECT_EQ(exchange(fw, request(Command::readSettings, 0, 1)).payload()[0], 3);

    std::array<std::uint8_t, 56> record{};
    std::iota(record.begin(), record.end(), std::uint8_t(100));
    record[0] = 2;
    EXPECT_EQ(exchange(fw, request(Command::writeSettings, 0, 56, record)).status(), kAnswerOk);
    const CommandReport back = exchange(fw, request(Command::readSettings, 128, 56));
    EXPECT_TRUE(std::equal(record.begin(), record.end(), back.payload().begin()));
    EXPECT_EQ(fw.activeSlot(), 3);  // writing a record selects nothing

    // Slot 0's record shares its first byte with the active slot.
    record[0] = 0;
    EXPECT_EQ(exchange(fw, request(Command::writeSettings, 0, 56, record)).status(), kAnswerOk);
    EXPECT_EQ(fw.activeSlot(), 3);
    EXPECT_EQ(fw.slotRecord(0)[1], record[1]);
}

TEST(FirmwareSettings, SlotsAboveFourAndOtherLengthsAreRefusedAndChangeNothing) {
    FirmwareModel fw(describe(DeviceKind::mousepad, 0));
    const auto before =
        std::vector<std::uint8_t>(fw.settingsArea().begin(), fw.settingsArea().end());
    const std::uint8_t five[56] = {5};
    EXPECT_EQ(exchange(fw, request(Command::writeSettings, 0, 1, five)).status(),
              link::kStatusError);
    EXPECT_EQ(exchange(fw, request(Command::writeSettings, 0, 56, five)).status(),
              link::kStatusError);
    const std::uint8_t one[56] = {1};
    EXPECT_EQ(exchange(fw, request(Command::writeSettings, 0, 21, one)).status(),
              link::kStatusError);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), fw.settingsArea().begin()));
}

TEST(FirmwareSettings, ResetRestoresTheFactoryRecordsButNotKeyMaps) {
    FirmwareModel fw(describe(DeviceKind::mouse, 0));
    const auto factory =
        std::vector<std::uint8_t>(fw.settingsArea().begin(), fw.settingsArea().end());
    const std::uint8_t two[1] = {2};
    (void)exchange(fw, request(Command::writeSettings, 0, 1, two));
    std::array<std::uint8_t, 56> record{};
    record[0] = 4;
    record[1] = 9;
    (void)exchange(fw, request(Command::writeSettings, 0, 56, record));
    std::array<std::uint8_t, 126> keys{};
    keys.fill(0x33);
    chunked(fw, Command::writeKeymapSlot, 0, keys.size(), keys);

    CommandReport reset = request(Command::reset);
    reset.bytes[1] = reset.bytes[2] = 0;
    EXPECT_EQ(exchange(fw, reset).status(), kAnswerOk);
    EXPECT_TRUE(std::equal(factory.begin(), factory.end(), fw.settingsArea().begin()));
    EXPECT_EQ(fw.activeSlot(), 0);
    EXPECT_EQ(fw.keymapSlot(0)[0], 0x33);
}

TEST(FirmwareKeymaps, AKeyboardSlotTransferOf312BytesLandsInItsSlot) {
    FirmwareModel fw(describe(DeviceKind::keyboard, 0));
    std::vector<std::uint8_t> map(312);
    std::iota(map.begin(), map.end(), std::uint8_t(1));
    // Slot 2 starts at 252; its chunks at 308, 364, … pass the start of slot 3 (378).
    std::uint8_t status = 0;
    chunked(fw, Command::writeKeymapSlot, 2 * 126, map.size(), map, &status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(std::equal(map.begin(), map.end(), fw.keymapSlot(2).begin()));
    EXPECT_EQ(fw.keymapSlot(2)[312], 0);                 // nothing past the block
    EXPECT_EQ(fw.keymapSlot(3)[0], fw.baseKeymap()[0]);  // slot 3 untouched

    EXPECT_EQ(chunked(fw, Command::readKeymapSlot, 2 * 126, 312), map);
    // Slot 0's chunk at 168 continues slot 0, although 168 / 126 is 1.
    const auto slot0 = chunked(fw, Command::readKeymapSlot, 0, 312);
    EXPECT_TRUE(std::equal(slot0.begin(), slot0.end(), fw.keymapSlot(0).begin()));
}

TEST(FirmwareKeymaps, MouseSlotsWrittenOneAfterAnotherEachLandInTheirOwnSlot) {
    FirmwareModel fw(describe(DeviceKind::mouse, 0));
    // Slot 1's 126 bytes end at 252, where slot 2's transfer starts.
    for (std::uint8_t slot = 0; slot < 5; ++slot) {
        const std::vector<std::uint8_t> keys(126, std::uint8_t(0x40 + slot));
        chunked(fw, Command::writeKeymapSlot, std::uint16_t(slot * 126), keys.size(), keys);
    }
    for (std::size_t slot = 0; slot < 5; ++slot) {
        EXPECT_EQ(fw.keymapSlot(slot)[0], 0x40 + slot) << slot;
        EXPECT_EQ(fw.keymapSlot(slot)[125], 0x40 + slot) << slot;
        EXPECT_EQ(fw.keymapSlot(slot)[126], fw.baseKeymap()[126]) << slot;
    }
}

TEST(FirmwareKeymaps, InterleavedFramesDoNotBreakATransfer) {
    FirmwareModel fw(describe(DeviceKind::keyboard, 0));
    std::vector<std::uint8_t> map(312, 0x44);
    const std::uint8_t frame[56] = {};
    for (std::size_t p = 0; p < map.size(); p += 56) {
        const auto n = std::uint8_t(std::min<std::size_t>(56, map.size() - p));
        (void)exchange(fw, request(Command::ledFrame, 0, 56, frame));
        ASSERT_EQ(exchange(fw, request(Command::writeKeymapSlot, std::uint16_t(126 + p), n,
                                       std::span(map).subspan(p, n)))
                      .status(),
                  kAnswerOk);
    }
    EXPECT_EQ(fw.keymapSlot(1)[311], 0x44);
    EXPECT_EQ(fw.keymapSlot(2)[0], fw.baseKeymap()[0]);
}

TEST(FirmwareKeymaps, BaseMapAndSlotsStartAsTheFactoryMap) {
    FirmwareModel mouse(describe(DeviceKind::mouse, 0));
    const auto base = chunked(mouse, Command::readKeymapBase, 0, 512);
    EXPECT_EQ(base[0], 0x10);  // left button
    EXPECT_EQ(base[1], 0x01);
    EXPECT_EQ(base[15], 0x13);  // DPI button, cycle
    EXPECT_EQ(base[16], 0x03);
    for (std::size_t s = 0; s < 5; ++s)
        EXPECT_EQ(chunked(mouse, Command::readKeymapSlot, std::uint16_t(s * 126), 512), base) << s;
}

TEST(FirmwareKeymaps, ChunksPastTheMapOrAboveSlotFourAreRefused) {
    FirmwareModel fw(describe(DeviceKind::keyboard, 1));
    EXPECT_EQ(exchange(fw, request(Command::readKeymapSlot, 5 * 126, 56)).status(),
              link::kStatusError);
    EXPECT_EQ(exchange(fw, request(Command::readKeymapBase, 480, 56)).status(), link::kStatusError);
}

TEST(FirmwarePatterns, ReadBackIsZeroUntilAnImageIsWrittenThenTheImage) {
    FirmwareModel fw(describe(DeviceKind::mouse, 0));
    const auto empty = chunked(fw, Command::readCursors, 0, 16);
    EXPECT_EQ(empty, std::vector<std::uint8_t>(16, 0));

    std::vector<std::uint8_t> image(40 + 4 * 180);
    std::iota(image.begin(), image.end(), std::uint8_t(7));
    image[0] = 0xAA;
    image[1] = 0x55;
    image[2] = std::uint8_t(image.size() & 0xFF);
    image[3] = std::uint8_t(image.size() >> 8);
    std::uint8_t status = 0;
    chunked(fw, Command::writeCursors, 0, image.size(), image, &status);
    EXPECT_EQ(status, 0);
    const auto header = chunked(fw, Command::readCursors, 0, 16);
    EXPECT_EQ(header[0] | header[1] << 8, 0x55AA);
    EXPECT_EQ(std::size_t(header[2] | header[3] << 8), image.size());
    EXPECT_EQ(chunked(fw, Command::readCursors, 0, image.size()), image);

    // Past the 3072 bytes of pattern memory.
    EXPECT_EQ(exchange(fw, request(Command::writeCursors, 3040, 56)).status(), link::kStatusError);
}

TEST(FirmwareMacros, TheImageIsStoredWithinTheMacroMemory) {
    FirmwareModel fw(describe(DeviceKind::mouse, 1));
    ASSERT_EQ(fw.macroMemory().size(), 16u * 128);
    std::vector<std::uint8_t> image(200, 0x5A);
    image[0] = 0xAA;
    image[1] = 0x55;
    std::uint8_t status = 0;
    chunked(fw, Command::writeMacros, 0, image.size(), image, &status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), fw.macroMemory().begin()));
    EXPECT_EQ(exchange(fw, request(Command::writeMacros, 2000, 56)).status(), link::kStatusError);
}

TEST(FirmwareFrames, AFrameCountsWhenItsLastChunkArrives) {
    FirmwareModel fw(describe(DeviceKind::keyboard, 0));
    std::vector<std::uint8_t> frame(378);
    std::iota(frame.begin(), frame.end(), std::uint8_t(0));
    for (std::size_t p = 0; p < 336; p += 56) {
        (void)exchange(
            fw, request(Command::ledFrame, std::uint16_t(p), 56, std::span(frame).subspan(p, 56)));
        EXPECT_EQ(fw.frameCount(), 0u);
    }
    (void)exchange(fw, request(Command::ledFrame, 336, 42, std::span(frame).subspan(336, 42)));
    EXPECT_EQ(fw.frameCount(), 1u);
    EXPECT_TRUE(
        std::equal(frame.begin(), frame.end(), fw.lastFrame().begin(), fw.lastFrame().end()));
}

TEST(FirmwareFrames, EachProductCountsItsOwnFrameSizes) {
    struct Case {
        DeviceKind kind;
        std::uint8_t variant;
        std::size_t size;
    };
    for (const Case c : {Case{DeviceKind::keyboard, 1, 126}, Case{DeviceKind::keyboard, 2, 36},
                         Case{DeviceKind::mouse, 0, 60}, Case{DeviceKind::mouse, 0, 30},
                         Case{DeviceKind::mousepad, 0, 45}, Case{DeviceKind::mousepad, 0, 60}}) {
        FirmwareModel fw(describe(c.kind, c.variant));
        const std::vector<std::uint8_t> frame(c.size, 0x21);
        for (int round = 1; round <= 2; ++round) {
            chunked(fw, Command::ledFrame, 0, frame.size(), frame);
            EXPECT_EQ(fw.frameCount(), std::uint64_t(round)) << c.size;
            EXPECT_EQ(fw.lastFrame().size(), c.size);
        }
    }
    // A frame of another product's size is no frame, even when it fits.
    FirmwareModel rgb(describe(DeviceKind::keyboard, 0));
    chunked(rgb, Command::ledFrame, 0, 126, std::vector<std::uint8_t>(126, 0x21));
    EXPECT_EQ(rgb.frameCount(), 0u);
    EXPECT_TRUE(rgb.lastFrame().empty());
    // Longer than the product's frames: refused, not counted.
    FirmwareModel membrane(describe(DeviceKind::keyboard, 2));
    EXPECT_EQ(exchange(membrane, request(Command::ledFrame, 0, 40)).status(), link::kStatusError);
    EXPECT_EQ(membrane.frameCount(), 0u);
}

}  // namespace
}  // namespace quillon::emu
