#pragma once

// Every operation the program sends to a device. Each returns a Status;
// none allocates or logs, so lighting threads can stream frames through them.
//
// An exchange holds the link's lock from its request's write until its answer
// is read, and takes as the answer only a report of the request's command (and
// offset, where it has one): a late answer to a request given up earlier is
// dropped, never taken for the next request's.

#include <cstdint>
#include <optional>
#include <span>

#include "link/command_report.h"
#include "link/device_info.h"
#include "link/device_link.h"
#include "link/status.h"

namespace quillon::link {

inline constexpr int kReadTimeLimitMs = 300;
inline constexpr int kExchangeAttempts = 4;
inline constexpr int kEndDelayMs = 10;

// One request and its answer, up to four attempts of 300 ms each; a device
// that is gone or an abort ends it at once. The caller examines the answer's
// status byte.
Status exchange(DeviceLink& link, const CommandReport& request, CommandReport& answer);
// One attempt; ok when an answer came, noExchange otherwise.
Status exchangeOnce(DeviceLink& link, const CommandReport& request);

Status begin(DeviceLink& link);
// Waits 10 ms before building and sending the request.
Status end(DeviceLink& link);
Status readInfo(DeviceLink& link, DeviceInfo& info);
Status readSettings(DeviceLink& link, std::uint16_t offset, std::span<std::uint8_t> out);
// Clears the link's syncLighting before anything else.
Status writeSettings(DeviceLink& link, std::span<const std::uint8_t> bytes);
// Reads blockLength bytes; `buffer` holds at least that many.
Status readKeymapBase(DeviceLink& link, std::span<std::uint8_t> buffer);
Status readKeymapSlot(DeviceLink& link, std::span<std::uint8_t> buffer, int slot);
// Writes `bytes.size()` bytes, or blockLength bytes when `useBlockLength`.
Status writeKeymapSlot(DeviceLink& link, std::span<const std::uint8_t> bytes, int slot,
                       bool useBlockLength = false);
Status sendLedFrame(DeviceLink& link, std::span<const std::uint8_t> frame);
Status writeMacros(DeviceLink& link, std::span<const std::uint8_t> image);
Status readCursors(DeviceLink& link, std::span<std::uint8_t> out);
Status writeCursors(DeviceLink& link, std::span<const std::uint8_t> image);
// Restores the mouse's or the mousepad's factory settings. Sent without a
// checksum, one attempt, the answer not examined.
Status reset(DeviceLink& link);

}  // namespace quillon::link
