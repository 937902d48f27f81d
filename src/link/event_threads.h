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
#include <thread>

#include "link/hid_device.h"
#include "link/input_data_item.h"
#include "link/stop_signal.h"

namespace quillon::link {

// Event codes a mouse reports on its consumer-control interface.
inline constexpr std::uint16_t kMouseEventSettingsChanged = 0x0401;  // re-read the settings record
inline constexpr std::uint16_t kMouseEventStateChanged = 0x0402;     // re-read the whole stored state
inline constexpr std::uint16_t kMouseEventClick = 0x0403;            // reactive lighting pulse

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

// MouseEventThread: finds a mouse's consumer-control interface, reads its
// reports and hands each event code to the sink; goes back to searching once a
// second when the mouse leaves. A pending read ends at once on requestStop().
class MouseEventThread {
public:
    MouseEventThread(platform::HidBackend& backend, const StopSignal& stop, MouseEventSink& sink,
                     EventThreadTiming timing = {});
    ~MouseEventThread();
    MouseEventThread(const MouseEventThread&) = delete;
    MouseEventThread& operator=(const MouseEventThread&) = delete;

    // Wakes a pending read so the thread sees the (already requested) stop.
    void wake();
    void join();

    // For observers (status, tests): whether the thread holds a mouse's interface.
    bool holdsInterface() const { return holding_.load(); }

private:
    void run();
    void readLoop();

    HidDevice hid_;
    const StopSignal& stop_;
    MouseEventSink& sink_;
    EventThreadTiming timing_;
    std::atomic<bool> holding_{false};
    std::thread thread_;
};

// KeyboardEventThread: finds the RGB keyboard's consumer-control interface and
// keeps it open while the keyboard stays; probes it every 100 ms.
class KeyboardEventThread {
public:
    KeyboardEventThread(platform::HidBackend& backend, const StopSignal& stop,
                        EventThreadTiming timing = {});
    ~KeyboardEventThread();
    KeyboardEventThread(const KeyboardEventThread&) = delete;
    KeyboardEventThread& operator=(const KeyboardEventThread&) = delete;

    void join();
    bool holdsInterface() const { return holding_.load(); }

private:
    void run();

    HidDevice hid_;
    const StopSignal& stop_;
    EventThreadTiming timing_;
    std::atomic<bool> holding_{false};
    std::thread thread_;
};

}  // namespace quillon::link
