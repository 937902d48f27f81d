#include "link/protocol.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

namespace quillon::link {
namespace {

using platform::TransferStatus;

Status answerStatus(const CommandReport& answer) {
    if (answer.status() == kStatusError)
        return Status::deviceError;
    if (answer.status() == kStatusBusy)
        return Status::deviceBusy;
    return Status::ok;
}

// One request whose answer's status decides the result.
Status command(DeviceLink& link, const CommandReport& request, CommandReport& answer) {
    const Status s = exchange(link, request, answer);
    if (s != Status::ok)
        return s;
    return answerStatus(answer);
}

enum class Direction { toDevice, fromDevice };

// Moves `total` bytes in chunks of at most 56. The request buffer is cleared
// once, so bytes of an earlier chunk stay behind a shorter last chunk and count
// in its checksum, as the devices expect. With `followBlockLength` the total is
// the link's block length, read again after every chunk (bounded by the buffer).
Status chunked(DeviceLink& link, Command cmd, std::uint16_t base, Direction direction,
               std::span<const std::uint8_t> source, std::span<std::uint8_t> sink,
               std::size_t total, bool followBlockLength) {
    const std::size_t capacity = direction == Direction::toDevice ? source.size() : sink.size();
    auto currentTotal = [&] {
        const std::size_t t = followBlockLength ? link.blockLength.load() : total;
        return std::min(t, capacity);
    };
    std::size_t limit = currentTotal();
    if (limit == 0)
        return Status::ok;

    CommandReport request;
    request.bytes[0] = kCommandReportId;
    request.bytes[3] = static_cast<std::uint8_t>(cmd);
    request.bytes[7] = 0;
    CommandReport answer;
    for (std::size_t p = 0; p < limit; p += kPayloadSize) {
        const std::size_t chunk = p + kPayloadSize < limit ? kPayloadSize : limit - p;
        const std::uint16_t offset = std::uint16_t(base + p);
        request.bytes[4] = std::uint8_t(chunk);
        request.bytes[5] = std::uint8_t(offset & 0xFF);
        request.bytes[6] = std::uint8_t(offset >> 8);
        if (direction == Direction::toDevice)
            std::copy_n(source.begin() + std::ptrdiff_t(p), chunk, request.payload().begin());
        sealChecksum(request);
        const Status s = command(link, request, answer);
        if (s != Status::ok)
            return s;
        if (direction == Direction::fromDevice)
            std::copy_n(answer.payload().begin(), chunk, sink.begin() + std::ptrdiff_t(p));
        if (followBlockLength)
            limit = currentTotal();
    }
    return Status::ok;
}

bool validSlot(int slot) {
    return slot >= 0 && slot <= kHighestSlot;
}

// Reads until the answer to `request` arrives or its window closes. Reports
// that answer something else (a late answer to a request that was given up,
// another collection's report) are dropped and the wait goes on.
TransferStatus awaitAnswer(HidDevice& hid, const CommandReport& request, CommandReport& answer) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kReadTimeLimitMs);
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return TransferStatus::timedOut;
        std::size_t got = 0;
        const TransferStatus s = hid.readReport(answer.bytes, int(left.count()), got);
        if (s != TransferStatus::completed)
            return s;
        if (got == kReportSize && answers(answer, request))
            return s;
    }
}

}  // namespace

Status exchange(DeviceLink& link, const CommandReport& request, CommandReport& answer) {
    if (link.connected.load() == 0)
        return Status::noExchange;
    // Held across the write and the read: another thread's request cannot
    // slip in between and take this request's answer.
    std::lock_guard guard(link.lock);
    // Reports that arrived for earlier, abandoned requests. An answer to an
    // earlier attempt of this same request stays welcome, so retries keep them.
    link.hid.discardPendingInput();
    for (int attempt = 0; attempt < kExchangeAttempts; ++attempt) {
        std::size_t written = 0;
        if (link.hid.writeReport(request.bytes, written) != TransferStatus::completed)
            return Status::writeFailed;
        switch (awaitAnswer(link.hid, request, answer)) {
            case TransferStatus::completed:
                return Status::ok;
            case TransferStatus::timedOut:
                break;
            case TransferStatus::aborted:
            case TransferStatus::failed:
                // Cut short or the device is gone: another attempt cannot help.
                return Status::noExchange;
        }
    }
    return Status::noExchange;
}

Status exchangeOnce(DeviceLink& link, const CommandReport& request) {
    if (link.connected.load() == 0)
        return Status::noExchange;
    std::lock_guard guard(link.lock);
    link.hid.discardPendingInput();
    std::size_t written = 0;
    // The write's result is not examined: the read alone tells.
    (void)link.hid.writeReport(request.bytes, written);
    CommandReport answer;
    return awaitAnswer(link.hid, request, answer) == TransferStatus::completed ? Status::ok
                                                                               : Status::noExchange;
}

Status begin(DeviceLink& link) {
    CommandReport answer;
    return command(link, buildRequest(CMD_BEGIN), answer);
}

Status end(DeviceLink& link) {
    // The devices need a moment after the last transfer before they close the sequence.
    std::this_thread::sleep_for(std::chrono::milliseconds(kEndDelayMs));
    CommandReport answer;
    return command(link, buildRequest(CMD_END), answer);
}

Status readInfo(DeviceLink& link, DeviceInfo& info) {
    CommandReport answer;
    const Status s = command(link, buildRequest(CMD_READ_INFO, 0, {}, kDeviceInfoSize), answer);
    if (s == Status::ok)
        std::copy_n(answer.payload().begin(), kDeviceInfoSize, info.bytes.begin());
    return s;
}

Status readSettings(DeviceLink& link, std::uint16_t offset, std::span<std::uint8_t> out) {
    const std::size_t n = std::min(out.size(), kPayloadSize);
    CommandReport answer;
    const Status s =
        command(link, buildRequest(CMD_READ_SETTINGS, offset, {}, std::uint8_t(n)), answer);
    if (s == Status::ok)
        std::copy_n(answer.payload().begin(), n, out.begin());
    return s;
}

Status writeSettings(DeviceLink& link, std::span<const std::uint8_t> bytes) {
    link.syncLighting = 0;
    const std::size_t n = std::min(bytes.size(), kPayloadSize);
    CommandReport answer;
    return command(link, buildRequest(CMD_WRITE_SETTINGS, 0, bytes.first(n), std::uint8_t(n)),
                   answer);
}

Status readKeymapBase(DeviceLink& link, std::span<std::uint8_t> buffer) {
    return chunked(link, CMD_READ_KEYMAP_BASE, 0, Direction::fromDevice, {}, buffer, 0, true);
}

Status readKeymapSlot(DeviceLink& link, std::span<std::uint8_t> buffer, int slot) {
    if (!validSlot(slot))
        return Status::badSlot;
    return chunked(link, CMD_READ_KEYMAP_SLOT, std::uint16_t(slot * kKeymapSlotStride),
                   Direction::fromDevice, {}, buffer, 0, true);
}

Status writeKeymapSlot(DeviceLink& link, std::span<const std::uint8_t> bytes, int slot,
                       bool useBlockLength) {
    if (!validSlot(slot))
        return Status::badSlot;
    return chunked(link, CMD_WRITE_KEYMAP_SLOT, std::uint16_t(slot * kKeymapSlotStride),
                   Direction::toDevice, bytes, {}, bytes.size(), useBlockLength);
}

Status sendLedFrame(DeviceLink& link, std::span<const std::uint8_t> frame) {
    return chunked(link, CMD_LED_FRAME, 0, Direction::toDevice, frame, {}, frame.size(), false);
}

Status writeMacros(DeviceLink& link, std::span<const std::uint8_t> image) {
    return chunked(link, CMD_WRITE_MACROS, 0, Direction::toDevice, image, {}, image.size(), false);
}

Status readCursors(DeviceLink& link, std::span<std::uint8_t> out) {
    return chunked(link, CMD_READ_CURSORS, 0, Direction::fromDevice, {}, out, out.size(), false);
}

Status writeCursors(DeviceLink& link, std::span<const std::uint8_t> image) {
    return chunked(link, CMD_WRITE_CURSORS, 0, Direction::toDevice, image, {}, image.size(), false);
}

Status reset(DeviceLink& link) {
    CommandReport request;
    request.setHeader(CMD_RESET, 0, 0);  // no checksum: bytes 1..2 stay 0
    return exchangeOnce(link, request);
}

}  // namespace quillon::link
