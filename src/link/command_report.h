#pragma once

// The 64-byte report every device of the family speaks, in both directions.
//
//   byte 0      report id, always 4
//   bytes 1..2  checksum (sum of bytes 3..63 modulo 65536), little-endian
//   byte 3      command code
//   byte 4      payload length (0..56)
//   bytes 5..6  offset, little-endian
//   byte 7      status: 0 in requests; 0xFF / 0xFE in answers are errors
//   bytes 8..63 payload

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quillon::link {

inline constexpr std::size_t kReportSize = 64;
inline constexpr std::size_t kPayloadSize = 56;
inline constexpr std::size_t kPayloadOffset = 8;
inline constexpr std::uint8_t kCommandReportId = 4;

inline constexpr std::uint8_t kStatusError = 0xFF;
inline constexpr std::uint8_t kStatusBusy = 0xFE;

enum class Command : std::uint8_t {
    begin = 0x01,
    end = 0x02,
    readInfo = 0x03,
    readSettings = 0x05,
    writeSettings = 0x06,
    readKeymapBase = 0x07,
    readKeymapSlot = 0x08,
    writeKeymapSlot = 0x09,
    reset = 0x0D,
    ledFrame = 0x12,
    writeMacros = 0x15,
    readCursors = 0x16,
    writeCursors = 0x17,
};

// The names the rest of the program uses.
inline constexpr Command CMD_BEGIN = Command::begin;
inline constexpr Command CMD_END = Command::end;
inline constexpr Command CMD_READ_INFO = Command::readInfo;
inline constexpr Command CMD_READ_SETTINGS = Command::readSettings;
inline constexpr Command CMD_WRITE_SETTINGS = Command::writeSettings;
inline constexpr Command CMD_READ_KEYMAP_BASE = Command::readKeymapBase;
inline constexpr Command CMD_READ_KEYMAP_SLOT = Command::readKeymapSlot;
inline constexpr Command CMD_WRITE_KEYMAP_SLOT = Command::writeKeymapSlot;
inline constexpr Command CMD_RESET = Command::reset;
inline constexpr Command CMD_LED_FRAME = Command::ledFrame;
inline constexpr Command CMD_WRITE_MACROS = Command::writeMacros;
inline constexpr Command CMD_READ_CURSORS = Command::readCursors;
inline constexpr Command CMD_WRITE_CURSORS = Command::writeCursors;

// A key-map slot's offset on the device: slot × 126 + position.
inline constexpr std::uint16_t kKeymapSlotStride = 126;
inline constexpr int kHighestSlot = 4;
// A settings slot's record on the device: slot × 64; the devices hold 56 bytes of it.
inline constexpr std::uint16_t kSettingsSlotStride = 64;
inline constexpr std::size_t kSettingsSlotBytes = 56;

struct CommandReport {
    std::array<std::uint8_t, kReportSize> bytes{};

    std::uint8_t reportId() const { return bytes[0]; }
    std::uint16_t checksum() const { return std::uint16_t(bytes[1] | (bytes[2] << 8)); }
    std::uint8_t command() const { return bytes[3]; }
    std::uint8_t length() const { return bytes[4]; }
    std::uint16_t offset() const { return std::uint16_t(bytes[5] | (bytes[6] << 8)); }
    std::uint8_t status() const { return bytes[7]; }
    std::span<std::uint8_t, kPayloadSize> payload() {
        return std::span<std::uint8_t, kPayloadSize>(bytes.data() + kPayloadOffset, kPayloadSize);
    }
    std::span<const std::uint8_t, kPayloadSize> payload() const {
        return std::span<const std::uint8_t, kPayloadSize>(bytes.data() + kPayloadOffset,
                                                           kPayloadSize);
    }

    void setHeader(Command command, std::uint8_t length, std::uint16_t offset) {
        bytes[0] = kCommandReportId;
        bytes[3] = static_cast<std::uint8_t>(command);
        bytes[4] = length;
        bytes[5] = std::uint8_t(offset & 0xFF);
        bytes[6] = std::uint8_t(offset >> 8);
        bytes[7] = 0;
    }
};
static_assert(sizeof(CommandReport) == kReportSize);

// Sum of bytes 3..63 modulo 65536: every byte past the header counts, also
// payload bytes beyond the length.
constexpr std::uint16_t reportChecksum(std::span<const std::uint8_t, kReportSize> report) {
    std::uint32_t sum = 0;
    for (std::size_t i = 3; i < kReportSize; ++i)
        sum += report[i];
    return std::uint16_t(sum & 0xFFFF);
}

inline void sealChecksum(CommandReport& report) {
    const std::uint16_t sum = reportChecksum(report.bytes);
    report.bytes[1] = std::uint8_t(sum & 0xFF);
    report.bytes[2] = std::uint8_t(sum >> 8);
}

// Whether `report` is the answer to `request`: the same command, and the same
// offset where the request's offset names a place on the device (the answer
// comes in the request's format).
bool answers(const CommandReport& report, const CommandReport& request);

// A whole request: all bytes 0, the header, the payload, the checksum.
CommandReport buildRequest(Command command, std::uint16_t offset,
                           std::span<const std::uint8_t> payload, std::uint8_t length);

inline CommandReport buildRequest(Command command) {
    return buildRequest(command, 0, {}, 0);
}

}  // namespace quillon::link
