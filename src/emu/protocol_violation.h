#pragma once

// Requests that break the devices' protocol, as an emulated device records
// them. A real device may take such a request quietly and do something else
// than the program meant; the emulator names every one, so that tests fail
// on them instead of passing over them.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "link/command_report.h"

namespace quillon::emu {

enum class ViolationKind : std::uint8_t {
    checksum,          // bytes 1..2 are not the sum of bytes 3..63
    statusByte,        // byte 7 of a request is not 0
    readInfoShape,     // an information read not of 31 bytes at offset 0
    resetBytes,        // a reset with a checksum, a length, an offset or a payload
    unframedTransfer,  // stored data moved outside Begin … End
    endWithoutBegin,   // End with no sequence open
    beginInSequence,   // Begin while a sequence is open (other than a retry)
    frameSize,         // lighting chunks that do not make one frame of the product's size
    refused,           // the firmware refused it: unknown command, length, offset or slot
};

struct ProtocolViolation {
    std::uint16_t productId = 0;
    ViolationKind kind = ViolationKind::checksum;
    link::CommandReport request;
};

const char* describe(ViolationKind kind);
// One line: the product, what was broken and the request's header bytes.
std::string describe(const ProtocolViolation& violation);

// The violations of every device on one bus. Thread-safe; recording never
// allocates (at most kCapacity are kept, the rest only counted).
class ViolationLog {
  public:
    static constexpr std::size_t kCapacity = 64;

    ViolationLog() { kept_.reserve(kCapacity); }
    void record(const ProtocolViolation& violation);
    // Every violation recorded so far (the kept ones), and forgets them.
    std::vector<ProtocolViolation> take();
    // Recorded and not taken, kept or not.
    std::size_t count() const;

  private:
    mutable std::mutex mutex_;
    std::vector<ProtocolViolation> kept_;
    std::size_t count_ = 0;
};

// What becomes of violations nobody took when their bus goes away. The
// default writes each to the debug output; a test program installs one that
// fails the running test. Set before any bus exists.
using ViolationHandler = void (*)(std::span<const ProtocolViolation> violations,
                                  std::size_t notKept);
void setUnclaimedViolationHandler(ViolationHandler handler);
void handOverUnclaimed(std::span<const ProtocolViolation> violations, std::size_t notKept);

}  // namespace quillon::emu
