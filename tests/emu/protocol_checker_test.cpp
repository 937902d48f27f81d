#include "emu/protocol_checker.h"

#include <gtest/gtest.h>

#include <vector>

#include "emu/virtual_bus.h"
#include "link/device_link.h"
#include "link/protocol.h"

namespace quillon::emu {
namespace {

using link::Command;
using link::CommandReport;
using link::DeviceKind;

const ProductDescription& describe(DeviceKind kind, std::uint8_t variant) {
    return *findDescription(catalogueProduct(kind, variant)->productId);
}

// Checks the requests in order and returns the kinds of what they broke.
std::vector<ViolationKind> check(const ProductDescription& product,
                                 const std::vector<CommandReport>& requests) {
    ProtocolChecker checker(product);
    ViolationLog log;
    for (const CommandReport& r : requests)
        checker.check(r, log);
    std::vector<ViolationKind> kinds;
    for (const ProtocolViolation& v : log.take())
        kinds.push_back(v.kind);
    return kinds;
}

CommandReport request(Command command, std::uint16_t offset = 0, std::uint8_t length = 0) {
    return link::buildRequest(command, offset, {}, length);
}

// The chunks sendLedFrame sends for a frame of `size` bytes.
std::vector<CommandReport> frameChunks(std::size_t size) {
    std::vector<CommandReport> chunks;
    for (std::size_t p = 0; p < size; p += 56)
        chunks.push_back(request(Command::ledFrame, std::uint16_t(p),
                                 std::uint8_t(std::min<std::size_t>(56, size - p))));
    return chunks;
}

using Kinds = std::vector<ViolationKind>;

TEST(ProtocolChecker, ChecksumStatusByteAndTheShapesOfInformationReadAndReset) {
    const auto& mouse = describe(DeviceKind::mouse, 0);
    CommandReport badSum = request(Command::readSettings, 0, 8);
    badSum.bytes[1] ^= 1;
    CommandReport statusSet = request(Command::readSettings, 0, 8);
    statusSet.bytes[7] = 1;
    link::sealChecksum(statusSet);
    EXPECT_EQ(check(mouse, {badSum, statusSet}),
              (Kinds{ViolationKind::checksum, ViolationKind::statusByte}));

    EXPECT_EQ(check(mouse, {request(Command::readInfo, 0, 31)}), Kinds{});
    EXPECT_EQ(check(mouse, {request(Command::readInfo, 0, 30), request(Command::readInfo, 4, 31)}),
              (Kinds{ViolationKind::readInfoShape, ViolationKind::readInfoShape}));

    CommandReport bare;
    bare.setHeader(Command::reset, 0, 0);
    EXPECT_EQ(check(mouse, {bare}), Kinds{});
    // A reset with a checksum is not the bare reset the devices take.
    EXPECT_EQ(check(mouse, {request(Command::reset)}), Kinds{ViolationKind::resetBytes});
}

TEST(ProtocolChecker, StoredDataMovesOnlyBetweenBeginAndEnd) {
    const auto& keyboard = describe(DeviceKind::keyboard, 0);
    EXPECT_EQ(check(keyboard, {request(Command::begin), request(Command::writeKeymapSlot, 0, 56),
                               request(Command::writeMacros, 0, 56), request(Command::end)}),
              Kinds{});
    EXPECT_EQ(check(keyboard, {request(Command::readKeymapBase, 0, 56),
                               request(Command::writeCursors, 0, 56)}),
              (Kinds{ViolationKind::unframedTransfer, ViolationKind::unframedTransfer}));
    EXPECT_EQ(check(keyboard, {request(Command::begin), request(Command::end),
                               request(Command::readKeymapSlot, 0, 56)}),
              Kinds{ViolationKind::unframedTransfer});
    // A repeated Begin or End is a retry; one after other requests is not.
    EXPECT_EQ(check(keyboard, {request(Command::begin), request(Command::begin),
                               request(Command::end), request(Command::end)}),
              Kinds{});
    EXPECT_EQ(check(keyboard, {request(Command::begin), request(Command::readInfo, 0, 31),
                               request(Command::begin), request(Command::end),
                               request(Command::readInfo, 0, 31), request(Command::end)}),
              (Kinds{ViolationKind::beginInSequence, ViolationKind::endWithoutBegin}));
    // Settings and frames go alone.
    EXPECT_EQ(check(keyboard, {request(Command::readSettings, 0, 1), frameChunks(378)[0]}),
              Kinds{});
}

TEST(ProtocolChecker, LightingChunksMustMakeAFrameOfTheProductsSize) {
    for (const auto& [kind, variant, size] : {std::tuple{DeviceKind::keyboard, 0, 378},
                                              {DeviceKind::keyboard, 1, 126},
                                              {DeviceKind::keyboard, 2, 36},
                                              {DeviceKind::mouse, 2, 60},
                                              {DeviceKind::mouse, 2, 30},
                                              {DeviceKind::mousepad, 0, 45},
                                              {DeviceKind::mousepad, 0, 60}})
        EXPECT_EQ(check(describe(kind, std::uint8_t(variant)), frameChunks(std::size_t(size))),
                  Kinds{})
            << size;

    // The one-colour frame is not a frame of the RGB keyboard, nor the RGB
    // frame's first 126 bytes a frame of the one-colour keyboard.
    EXPECT_EQ(check(describe(DeviceKind::keyboard, 0), frameChunks(126)),
              Kinds{ViolationKind::frameSize});
    EXPECT_EQ(check(describe(DeviceKind::mousepad, 0), frameChunks(36)),
              Kinds{ViolationKind::frameSize});

    // Chunks out of order; a chunk sent again after a lost answer is fine.
    auto chunks = frameChunks(378);
    std::swap(chunks[2], chunks[3]);
    EXPECT_FALSE(check(describe(DeviceKind::keyboard, 0), chunks).empty());
    chunks = frameChunks(378);
    chunks.insert(chunks.begin() + 3, chunks[2]);
    chunks.push_back(chunks.back());
    EXPECT_EQ(check(describe(DeviceKind::keyboard, 0), chunks), Kinds{});
}

TEST(ProtocolChecker, TheBusKeepsWhatItsDevicesSawUntilATestTakesIt) {
    VirtualBus bus;
    auto pad = bus.plug(*catalogueProduct(DeviceKind::mousepad, 0));
    link::DeviceLink link(bus);
    link.hid.devicePath = pad->commandCollection().hidInterface;
    link.hid.openForRead = link.hid.openForWrite = true;
    ASSERT_TRUE(link.hid.open());
    link.connected = 1;

    const std::array<std::uint8_t, 36> membraneFrame{};
    EXPECT_EQ(link::sendLedFrame(link, membraneFrame), link::Status::ok);
    std::array<std::uint8_t, 56> record{};
    // Past the settings area: the firmware refuses it.
    EXPECT_EQ(link::readSettings(link, 300, record), link::Status::deviceError);
    const auto taken = bus.takeViolations();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].kind, ViolationKind::frameSize);
    EXPECT_EQ(taken[0].productId, pad->product().productId);
    EXPECT_EQ(taken[1].kind, ViolationKind::refused);
    EXPECT_EQ(taken[1].request.offset(), 300);
    EXPECT_TRUE(bus.takeViolations().empty());
    EXPECT_EQ(pad->frameCount(), 0u);
}

}  // namespace
}  // namespace quillon::emu
