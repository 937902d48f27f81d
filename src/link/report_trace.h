#pragma once

// An observer of every report a HidDevice writes and reads (quillonctl --trace).

#include <cstdint>
#include <span>

namespace quillon::link {

class ReportTrace {
  public:
    virtual ~ReportTrace() = default;
    virtual void reportWritten(std::span<const std::uint8_t> report) = 0;
    virtual void reportRead(std::span<const std::uint8_t> report) = 0;
};

}  // namespace quillon::link
