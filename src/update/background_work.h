#pragma once

// Threads that answer the update window without holding it up: a query runs
// here, and its result is handed to the GUI thread. Closing the window does
// not wait for them; they are joined when the owner goes (at shutdown), after
// their stop tokens were triggered, within the client's one-second cancel
// check.

#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace quillon::update {

class BackgroundWork {
  public:
    BackgroundWork() = default;
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // Runs `work` on a thread of its own. Threads that have finished are
    // joined here, so the list stays as short as the work in flight.
    void start(std::function<void()> work);
    // Waits for every thread started so far (tests, shutdown).
    void joinAll();

  private:
    struct Job {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::mutex mutex_;
    std::list<Job> jobs_;
};

}  // namespace quillon::update
