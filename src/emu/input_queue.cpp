#include "emu/input_queue.h"

#include <algorithm>

namespace quillon::emu {

bool InputQueue::push(std::span<const std::uint8_t> report, Clock::time_point due) {
    if (size_ == kCapacity) {
        ++dropped_;
        return false;
    }
    Entry& e = ring_[(head_ + size_) % kCapacity];
    e.length = std::uint8_t(std::min(report.size(), kMaxReportSize));
    std::copy_n(report.begin(), e.length, e.bytes.begin());
    // Reports leave in order even when the latency was lowered in between.
    e.due = size_ == 0 ? due : std::max(due, ring_[(head_ + size_ - 1) % kCapacity].due);
    ++size_;
    return true;
}

std::optional<std::size_t> InputQueue::popDue(Clock::time_point now, std::span<std::uint8_t> out) {
    if (size_ == 0 || ring_[head_].due > now)
        return std::nullopt;
    const Entry& e = ring_[head_];
    const std::size_t n = std::min<std::size_t>(e.length, out.size());
    std::copy_n(e.bytes.begin(), n, out.begin());
    head_ = (head_ + 1) % kCapacity;
    --size_;
    return n;
}

void InputQueue::dropDue(Clock::time_point now) {
    while (size_ != 0 && ring_[head_].due <= now) {
        head_ = (head_ + 1) % kCapacity;
        --size_;
    }
}

void InputQueue::dropUndue(Clock::time_point now) {
    // Due times rise along the ring, so the undue reports are its tail.
    while (size_ != 0 && ring_[(head_ + size_ - 1) % kCapacity].due > now)
        --size_;
}

std::optional<Clock::time_point> InputQueue::firstDue() const {
    if (size_ == 0)
        return std::nullopt;
    return ring_[head_].due;
}

}  // namespace quillon::emu
