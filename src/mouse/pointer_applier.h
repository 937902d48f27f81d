#pragma once

// Applies the pointer speed and the wheel lines to the desktop away from the
// GUI thread: a desktop tool can take a moment. One short-lived worker runs
// while values are waiting and takes the latest of each when it runs, so a
// slider dragged across its range costs a few calls, not one per step. What
// the desktop cannot take is written to the debug output once per setting.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/pointer/pointer_settings.h"

namespace quillon::mouse {

class PointerApplier {
  public:
    explicit PointerApplier(platform::PointerSettings& desktop) : desktop_(desktop) {}
    // Waits for the worker's current call.
    ~PointerApplier();
    PointerApplier(const PointerApplier&) = delete;
    PointerApplier& operator=(const PointerApplier&) = delete;

    // GUI thread. speed 1..20; lines 1..10.
    void applySpeed(std::uint8_t speed);
    void applyWheelLines(int lines);

    // Until nothing waits and no call runs (tests, shutdown).
    void waitIdle();

  private:
    void start();
    void run();
    void report(platform::PointerResult result, bool& reported, const char* what);

    platform::PointerSettings& desktop_;
    std::mutex mutex_;
    std::condition_variable idle_;
    std::optional<std::uint8_t> speed_;
    std::optional<int> lines_;
    bool running_ = false;
    std::thread worker_;
    // Worker only.
    bool speedReported_ = false;
    bool linesReported_ = false;
};

}  // namespace quillon::mouse
