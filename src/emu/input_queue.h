#pragma once

// The input reports waiting on one open connection, like the report ring of a
// hidraw file descriptor: a fixed ring of 64-byte reports, each with the time
// from which it may be read (the emulated link latency). Full ring: a new
// report is dropped, as the kernel does. Never allocates; not thread-safe
// (the emulated device's lock guards it).

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace quillon::emu {

using Clock = std::chrono::steady_clock;

class InputQueue {
  public:
    static constexpr std::size_t kCapacity = 64;
    static constexpr std::size_t kMaxReportSize = 64;

    // False when the ring is full (the report is dropped).
    bool push(std::span<const std::uint8_t> report, Clock::time_point due);
    // Copies the first report if it is due by `now`; returns its length.
    std::optional<std::size_t> popDue(Clock::time_point now, std::span<std::uint8_t> out);
    // When the first report becomes due; nullopt when empty.
    std::optional<Clock::time_point> firstDue() const;
    void clear() { head_ = size_ = 0; }
    // Drops the reports due by `now`: those a reader could have read already.
    void dropDue(Clock::time_point now);
    // Drops the reports not yet due by `now`: answers a device never sends.
    void dropUndue(Clock::time_point now);
    std::size_t size() const { return size_; }
    std::uint64_t dropped() const { return dropped_; }

  private:
    struct Entry {
        std::array<std::uint8_t, kMaxReportSize> bytes;
        std::uint8_t length;
        Clock::time_point due;
    };
    std::array<Entry, kCapacity> ring_{};
    std::size_t head_ = 0;
    std::size_t size_ = 0;
    std::uint64_t dropped_ = 0;
};

}  // namespace quillon::emu
