#pragma once

// What the race tests run the lighting passes against: a pacer that never
// waits and channels that count what they are sent, all safe to share
// between threads.

#include <atomic>
#include <cstdint>
#include <span>

#include "lighting/device_channel.h"
#include "lighting/lighting_engine.h"

namespace quillon::lighting::testing {

class FreePacer final : public Pacer {
  public:
    // Each look at the clock advances it by `stepMs`.
    explicit FreePacer(std::uint32_t stepMs = 1) : step_(stepMs) {}
    bool sleepMs(int) override { return true; }
    std::uint32_t nowMs() const override { return now_.fetch_add(step_); }

  private:
    std::uint32_t step_;
    mutable std::atomic<std::uint32_t> now_{0};
};

class SinkChannel final : public DeviceChannel {
  public:
    bool connected() const override { return true; }
    bool syncLighting() const override { return sync.load() != 0; }
    void sendFrame(std::span<const std::uint8_t> frame) override {
        frames.fetch_add(1);
        last.store(frame.empty() ? 0 : frame[0]);
        bytes.store(frame.size());
    }
    std::atomic<int> sync{0};
    std::atomic<int> frames{0};
    std::atomic<int> last{0};
    std::atomic<std::size_t> bytes{0};
};

}  // namespace quillon::lighting::testing
