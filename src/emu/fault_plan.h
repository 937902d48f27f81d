#pragma once

// Faults a test asks an emulated device to show, counted in reports received
// from the moment they are set. Several may be armed at once.

#include <cstdint>

namespace quillon::emu {

struct FaultDecision {
    bool process = true;       // the firmware acts on the report
    bool answer = true;        // an answer is queued
    std::uint8_t status = 0;   // non-zero: answer with this status instead of processing
    bool unplugAfter = false;  // the device leaves once the report is taken
};

class FaultPlan {
  public:
    // The next `count` reports get no answer (and are ignored by the firmware).
    void dropAnswers(std::uint32_t count) { dropCount_ = count; }
    void dropAnswersUntilCleared() { dropForever_ = true; }
    // The n-th report from now (1 = the next) is answered with `status`, unprocessed.
    void answerWithStatus(std::uint32_t nth, std::uint8_t status) {
        statusCountdown_ = nth;
        status_ = status;
    }
    // The device leaves right after taking the n-th report from now (1 = the next).
    void unplugAfter(std::uint32_t nth) { unplugCountdown_ = nth; }
    void clear() { *this = FaultPlan{}; }

    // Called once per report received.
    FaultDecision next() {
        FaultDecision d;
        if (unplugCountdown_ != 0 && --unplugCountdown_ == 0)
            d.unplugAfter = true;
        if (statusCountdown_ != 0 && --statusCountdown_ == 0) {
            d.process = false;
            d.status = status_;
        }
        if (dropForever_ || dropCount_ != 0) {
            if (dropCount_ != 0)
                --dropCount_;
            d.process = false;
            d.answer = false;
        }
        return d;
    }

  private:
    std::uint32_t dropCount_ = 0;
    bool dropForever_ = false;
    std::uint32_t statusCountdown_ = 0;
    std::uint8_t status_ = 0;
    std::uint32_t unplugCountdown_ = 0;
};

}  // namespace quillon::emu
