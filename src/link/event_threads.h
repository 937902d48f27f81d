#pragma once

// The two threads that watch the consumer-control interfaces of the RGB
// keyboard and of the mice. The mouse's event reports are how the program
// learns of changes made on the mouse itself (its buttons switch slots and
// settings) and of clicks for the reactive lighting; the keyboard's interface
// is only held open.
//
// Each thread owns a private HidDevice and takes no link lock.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <thread>

#include "link/hid_device.h"
#include "link/input_data_item.h"
#include "link/stop_signal.h"
#include "platform/debug_output.h"

namespace quillon::link {

// Event codes a mouse reports on its consumer-control interface.
inline constexpr std::uint16_t kMouseEventSettingsChanged = 0x0401;  // re-read the settings record
inline constexpr std::uint16_t kMouseEventStateChanged = 0x0402;  // re-read the whole stored state
inline constexpr std::uint16_t kMouseEventClick = 0x0403;         // reactive lighting pulse

// The event code of the report just decoded: the first active usage of the
// first input data item. None when that item is not a button item, was not
// part of this report (another report id), or has no active usage.
std::optional<std::uint16_t> mouseEventCode(std::span<const InputDataItem> items,
                                            std::uint8_t reportId);

// Receives the mouse's event codes on the mouse event thread; must not block.
class MouseEventSink {
  public:
    virtual ~MouseEventSink() = default;
    virtual void mouseEvent(std::uint16_t code) = 0;

  protected:
    MouseEventSink() = default;
    MouseEventSink(const MouseEventSink&) = default;
    MouseEventSink& operator=(const MouseEventSink&) = default;
};

struct EventThreadTiming {
    std::chrono::milliseconds searchInterval{1000};
    std::chrono::milliseconds probeInterval{100};
};

inline constexpr std::string_view kMouseEventThreadExitLine = "鼠标同步线程设定测试退出";
inline constexpr std::string_view kKeyboardEventThreadExitLine = "键盘同步线程设定退出";

// The mouse event monitor: finds a mouse's consumer-control interface, reads
// its reports and hands each event code to the sink; goes back to searching
// once a second when the mouse leaves.
class MouseEventMonitor {
  public:
    MouseEventMonitor(platform::HidBackend& backend, MouseEventSink& sink,
                      EventThreadTiming timing = {});

    // The thread body: returns at once when `stop` is requested, also from
    // the middle of a read (a helper thread waiting on the stop aborts it).
    void run(const StopSignal& stop);
    // Ends a pending read at once (any thread).
    void wake() { hid_.abort(); }
    // Whether the monitor holds a mouse's interface now.
    bool holdsInterface() const { return holding_.load(); }

  private:
    void readLoop(const StopSignal& stop);

    HidDevice hid_;
    MouseEventSink& sink_;
    EventThreadTiming timing_;
    std::atomic<bool> holding_{false};
};

// The keyboard event monitor: finds the RGB keyboard's consumer-control
// interface and keeps it open while the keyboard stays (probed every 100 ms).
class KeyboardEventMonitor {
  public:
    explicit KeyboardEventMonitor(platform::HidBackend& backend, EventThreadTiming timing = {});

    void run(const StopSignal& stop);
    bool holdsInterface() const { return holding_.load(); }

  private:
    HidDevice hid_;
    EventThreadTiming timing_;
    std::atomic<bool> holding_{false};
};

// A monitor on a thread of its own, for owners without a worker set (the
// command-line front end, tests). The owner requests the stop first; the
// destructor wakes the monitor and joins.
template <class Monitor>
class MonitorThread {
  public:
    MonitorThread(Monitor& monitor, const StopSignal& stop, std::string_view exitLine)
        : monitor_(monitor), thread_([&monitor, &stop, exitLine] {
              monitor.run(stop);
              platform::debugOutput(exitLine);
          }) {}
    ~MonitorThread() {
        if constexpr (requires(Monitor & m) { m.wake(); })
            monitor_.wake();
        if (thread_.joinable())
            thread_.join();
    }
    MonitorThread(const MonitorThread&) = delete;
    MonitorThread& operator=(const MonitorThread&) = delete;

  private:
    Monitor& monitor_;
    std::thread thread_;
};

}  // namespace quillon::link
