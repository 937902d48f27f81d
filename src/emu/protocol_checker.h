#pragma once

// The rules a device's firmware holds its host to, checked request by request:
// the checksum, the zero status byte, the shape of the information read and of
// the bare reset, Begin … End around stored-data transfers, and lighting
// chunks that add up to a frame of one of the product's sizes.
//
// Not thread-safe: the emulated device serialises calls. Never allocates.

#include <cstddef>
#include <cstdint>

#include "emu/product_description.h"
#include "emu/protocol_violation.h"
#include "link/command_report.h"

namespace quillon::emu {

class ProtocolChecker {
  public:
    explicit ProtocolChecker(const ProductDescription& description) : description_(description) {}

    // Records in `log` every rule `request` breaks, given the requests before it.
    void check(const link::CommandReport& request, ViolationLog& log);

  private:
    void checkFrameChunk(const link::CommandReport& request, ViolationLog& log);

    const ProductDescription& description_;
    bool sequenceOpen_ = false;
    std::uint8_t previousCommand_ = 0;
    // The lighting frame being received: where its next chunk starts.
    bool frameOpen_ = false;
    std::size_t frameNext_ = 0;
    std::size_t previousOffset_ = 0;
    std::size_t previousLength_ = 0;
};

}  // namespace quillon::emu
