#pragma once

// Suspend and resume as the devices see them: many reset when their power
// goes, losing their active slot and their settings. Before the system
// sleeps the mouse's and the mousepad's settings (the five slot records and
// the active slot) are read back; after it resumes they are written again as
// they were, and the lighting threads send frames again on their own.

#include <array>
#include <cstdint>
#include <optional>

#include "link/device_link.h"

namespace quillon::lighting {

struct ResumeLinks {
    link::DeviceLink& mouse;
    link::DeviceLink& mousepad;
};

inline constexpr std::size_t kResumeSlots = 5;
inline constexpr std::size_t kResumeRecordBytes = 56;

// What one device held before the system slept.
struct HeldSettings {
    std::array<std::optional<std::array<std::uint8_t, kResumeRecordBytes>>, kResumeSlots> records;
    std::optional<std::uint8_t> activeSlot;
};

// Device work: both steps run on the device-jobs worker, one after the other.
class ResumeRestore {
  public:
    explicit ResumeRestore(ResumeLinks links) : links_(links) {}

    // Reads what each attached device holds (a record without an answer is
    // not restored).
    void beforeSuspend();
    // Writes it back: the records, then the active slot.
    void afterResume();

  private:
    ResumeLinks links_;
    std::array<HeldSettings, 2> held_{};  // mouse, mousepad
};

}  // namespace quillon::lighting
