#pragma once

// The program's long-lived worker threads: sixteen slots in a fixed start
// order, each with its own stop signal. The bodies come from the subsystems;
// the set starts them, asks them to stop and waits a bounded time.
//
// Contract for a body: it returns soon after its stop signal is requested.
// Every wait it makes is a wait on that signal (StopSignal::waitFor, alone or
// together with a device or hotplug descriptor), and it checks requested()
// between its steps. The signals are created before any thread starts and are
// never reset, so a stop asked for while a thread is still starting is kept.
//
// Lifetimes: the bodies, their stop signals and exit lines belong to the
// threads as much as to the set, so a thread that overruns its stop can never
// see them destroyed. stop() waits a bounded time, joins every thread that
// ended and lets the others go (detached, reported as stillRunning); it never
// waits without bound. Whatever a body references beyond its own captures must
// outlive it: the owner of that state destroys it only when stop() reported no
// thread still running, and otherwise ends the process without destroying it.

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "link/stop_signal.h"

namespace quillon::shell {

enum class Worker : std::size_t {
    keyboardAttach = 0,
    mouseAttach = 1,
    mousepadAttach = 2,
    mouseEvents = 3,
    keyboardEvents = 4,
    keyboardLighting = 5,
    mouseLighting = 6,
    mousepadLighting = 7,
    syncLighting = 8,
    keyboardLightingAppLink = 9,
    keyboardKeyAppLink = 10,
    mouseLightingAppLink = 11,
    mouseKeyAppLink = 12,
    mousepadLightingAppLink = 13,
    startupVersionCheck = 14,
    // The settings flush and the re-reads, away from the GUI thread.
    deviceJobs = 15,
};

inline constexpr std::size_t WORKER_COUNT = 16;
// Workers 0 .. LAST_WORKER_BEFORE_FLUSH start before the settings flush timer.
inline constexpr std::size_t LAST_WORKER_BEFORE_FLUSH = 8;

struct WorkerContext {
    Worker worker;
    const link::StopSignal& stop;
};

using WorkerBody = std::function<void(const WorkerContext&)>;

// The debugger lines written after each wait of stop().
inline constexpr std::string_view kAllEndedLine = "所有对象处于激发状态";
inline constexpr std::string_view kTimedOutLine = "所有对象处于非激发状态，超时";

struct StopReport {
    std::size_t waits = 0;         // waits made
    std::size_t stillRunning = 0;  // workers that had not ended after the last wait (let go)
};

class WorkerSet {
  public:
    WorkerSet();
    // Stops threads not yet joined or let go, with one wait of about a second;
    // never blocks longer.
    ~WorkerSet();
    WorkerSet(const WorkerSet&) = delete;
    WorkerSet& operator=(const WorkerSet&) = delete;

    // A slot without a body starts no thread. `exitLine` is written to the
    // debug output when the body returns.
    void setBody(Worker worker, WorkerBody body, std::string exitLine = {});

    // Starts the workers in index order once; `betweenGroups` runs after
    // worker 8 and before worker 9 (the settings flush timer starts there).
    void start(const std::function<void()>& betweenGroups = {});

    // Requests every stop, then waits up to `waits` times for all workers
    // together, each wait at most `perWait`, writing one line after each wait;
    // it returns as soon as all have ended. Ended threads are joined; the rest
    // are let go. May be called again (and before start(): the threads then
    // see their stop at once).
    StopReport stop(std::chrono::milliseconds perWait = std::chrono::milliseconds(1000),
                    std::size_t waits = WORKER_COUNT);

    const link::StopSignal& stopSignal(Worker worker) const;
    bool running(Worker worker) const;
    bool started() const { return started_; }
    // Threads let go by stop() because they had not ended.
    std::size_t abandoned() const { return abandoned_; }

  private:
    struct Slot {
        WorkerBody body;
        std::string exitLine;
        link::StopSignal stop;
        bool running = false;  // guarded by Shared::mutex
    };
    // Shared by the set and every thread it started.
    struct Shared {
        std::array<Slot, WORKER_COUNT> slots;
        std::mutex mutex;
        std::condition_variable ended;
        std::size_t runningCount() const;
    };
    static void runSlot(const std::shared_ptr<Shared>& shared, std::size_t index);

    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    std::array<std::thread, WORKER_COUNT> threads_;
    bool started_ = false;
    std::size_t abandoned_ = 0;
};

}  // namespace quillon::shell
