#pragma once

// The application object: owns the three device links, the worker threads,
// the notification and message tables and the flags of the main window, and
// wires the feature modules together without containing them. Modules add
// their routes, messages, timers, start-up steps, worker bodies and event
// subscriptions before the skin sends "windowinit". It publishes PowerChanged
// and ActivationChanged.
//
// Threads: everything here runs on the GUI thread except postMessage,
// sendMessage, startTimer and the atomic flags, which any thread may use.

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "link/device_catalogue.h"
#include "link/device_link.h"
#include "platform/hid/hid_backend.h"
#include "shell/device_jobs.h"
#include "shell/event_bus.h"
#include "shell/event_loop.h"
#include "shell/message_router.h"
#include "shell/notification_router.h"
#include "shell/shell_events.h"
#include "shell/tab_navigation.h"
#include "shell/worker_set.h"
#include "skin/skin.h"

namespace quillon::shell {

enum class StartupPhase {
    beforeLinks,    // skin image, profile index files (window still hidden)
    beforeWorkers,  // language value into "main.ini"
    afterWorkers,   // load the chosen language, read the autostart state
};

// How long shutdown waits for the workers to end.
inline constexpr std::chrono::milliseconds kShutdownWait{1000};

class Application {
  public:
    Application(skin::Skin& skin, EventLoop& loop, platform::HidBackend& hid);
    // Stops the workers, then destroys the links (mousepad, mouse, keyboard).
    // Only after a shutdown that left no worker running.
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    skin::Skin& skin() { return skin_; }
    EventLoop& loop() { return loop_; }
    link::DeviceLink& link(link::DeviceKind kind);
    NotificationRouter& notifications() { return notifications_; }
    MessageRouter& messages() { return messages_; }
    // Typed events between the feature modules; publish on the GUI thread only.
    EventBus& events() { return events_; }
    TabNavigation& tabs() { return tabs_; }
    WorkerSet& workers() { return workers_; }
    // Told whenever a link's `connected` flag changes or synchronised lighting
    // starts; the lighting threads wait on it.
    link::FlagWatch& linkFlags() { return linkFlags_; }
    // Device work the GUI thread must not wait for; run by Worker::deviceJobs.
    DeviceJobs& deviceJobs() { return deviceJobs_; }

    void addStartupStep(StartupPhase phase, std::function<void()> step);

    // --- any thread
    // Queues a message for the GUI thread.
    bool postMessage(const WindowMessage& message);
    // Runs the message's handler on the GUI thread and waits for it; gives up
    // (false) when `stop` is requested first or the loop has ended. Never call
    // it while holding a link's lock: the handler may want that lock.
    bool sendMessage(const WindowMessage& message, const link::StopSignal* stop = nullptr);
    bool anyDeviceConnected() const;

    // Echo every notification (type and control name) to the debug output;
    // off unless debugging was asked for, as every hover would be a line.
    void setEchoNotifications(bool echo) { echoNotifications_ = echo; }

    // Cleared while the system suspends; modules hear it as PowerChanged.
    std::atomic<bool> outputEnabled{true};

    // --- GUI thread
    // Every skin notification comes here (installed as the skin's sink).
    void notify(const skin::Notification& notification);
    // The "windowinit" work: start-up steps, match fields, workers, timer 2.
    void windowInit();
    // Stops the workers (one wait of kShutdownWait) and the timers;
    // idempotent. stillRunning > 0: those workers were let go and may still
    // use the links and the modules, so the caller must end the process
    // without destroying them.
    StopReport shutdown();
    // Shows "message_text_1" unless that message is already open from here.
    void showNoDeviceMessage();

  private:
    void addWindowRoutes();
    void addMessageRoutes();

    skin::Skin& skin_;
    bool echoNotifications_ = false;
    EventLoop& loop_;
    link::FlagWatch linkFlags_;
    // Declared in this order so that they are destroyed mousepad, mouse, keyboard.
    link::DeviceLink keyboardLink_;
    link::DeviceLink mouseLink_;
    link::DeviceLink mousepadLink_;
    NotificationRouter notifications_;
    MessageRouter messages_;
    EventBus events_;
    TabNavigation tabs_;
    std::array<std::vector<std::function<void()>>, 3> startupSteps_;
    bool initialised_ = false;
    bool shutDown_ = false;
    bool noDeviceMessageOpen_ = false;
    DeviceJobs deviceJobs_;
    // Last member: its threads use the links and the flags above, so it is
    // stopped and joined first.
    WorkerSet workers_;
};

}  // namespace quillon::shell
