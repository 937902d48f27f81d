#include "mouse/pointer_applier.h"

#include <string>

#include "platform/debug_output.h"

namespace quillon::mouse {

PointerApplier::~PointerApplier() {
    waitIdle();
    if (worker_.joinable())
        worker_.join();
}

void PointerApplier::applySpeed(std::uint8_t speed) {
    std::lock_guard hold(mutex_);
    speed_ = speed;
    start();
}

void PointerApplier::applyWheelLines(int lines) {
    std::lock_guard hold(mutex_);
    lines_ = lines;
    start();
}

void PointerApplier::start() {
    if (running_)
        return;  // the running worker takes the new value
    // A worker that said it is done has nothing left but to return.
    if (worker_.joinable())
        worker_.join();
    running_ = true;
    worker_ = std::thread([this] { run(); });
}

void PointerApplier::waitIdle() {
    std::unique_lock hold(mutex_);
    idle_.wait(hold, [this] { return !running_; });
}

void PointerApplier::run() {
    for (;;) {
        std::optional<std::uint8_t> speed;
        std::optional<int> lines;
        {
            std::lock_guard hold(mutex_);
            speed.swap(speed_);
            lines.swap(lines_);
            if (!speed && !lines) {
                running_ = false;
                idle_.notify_all();
                return;
            }
        }
        if (speed)
            report(desktop_.setPointerSpeed(*speed), speedReported_, "pointer speed");
        if (lines)
            report(desktop_.setWheelLines(*lines), linesReported_, "wheel scroll lines");
    }
}

void PointerApplier::report(platform::PointerResult result, bool& reported, const char* what) {
    if (result == platform::PointerResult::applied || reported)
        return;
    reported = true;
    platform::debugOutput(std::string(what) +
                          (result == platform::PointerResult::unsupported
                               ? ": this desktop has no setting the program can change"
                               : ": the desktop did not take the value"));
}

}  // namespace quillon::mouse
