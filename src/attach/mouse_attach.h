#pragma once

// The mouse's steps in its attach poll (three models, two of them with views
// of their own; the views show themselves on DeviceArrived), and the routing of the mouse's own
// event reports to the re-reads the GUI thread runs 50 ms later.

#include <atomic>
#include <cstdint>

#include "attach/arrival_views.h"
#include "lighting/lighting_controls.h"
#include "link/attach_poll.h"
#include "link/event_threads.h"

namespace quillon::attach {

inline constexpr std::string_view kMouseAttachExitLine = "鼠标设备侦测线程设定退出";
// Movement-pattern images: a 16-byte header, at most the mouse's pattern memory.
inline constexpr std::size_t kPatternHeaderSize = 16;
inline constexpr std::size_t kPatternMemorySize = 3072;
inline constexpr std::uint16_t kPatternMarker = 0x55AA;

class MouseAttach final : public link::AttachSteps {
  public:
    explicit MouseAttach(AttachContext& ctx) : ctx_(ctx) {}

    void arrival(link::DeviceLink& link) override;
    void removal(link::DeviceLink& link) override;
    void stillPresent(link::DeviceLink& link) override;

  private:
    void readBackPatterns();

    AttachContext& ctx_;
    SameModeOption sameMode_{lighting::kMouseLighting.sameMode};
};

// The mouse's event codes: the two re-reads are deferred by one-shot timers
// (a repeat within 50 ms restarts the timer, so it gives one re-read), the
// click sets the reactive lighting pulses.
class MouseEventRouter final : public link::MouseEventSink {
  public:
    MouseEventRouter(shell::EventLoop& loop, std::atomic<bool>& mouseClickPulse,
                     std::atomic<bool>& mousepadClickPulse)
        : loop_(loop), mouseClickPulse_(mouseClickPulse), mousepadClickPulse_(mousepadClickPulse) {}

    void mouseEvent(std::uint16_t code) override;

  private:
    shell::EventLoop& loop_;
    std::atomic<bool>& mouseClickPulse_;
    std::atomic<bool>& mousepadClickPulse_;
};

}  // namespace quillon::attach
