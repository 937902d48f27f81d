#include "shell/device_jobs.h"

#include <chrono>

namespace quillon::shell {

bool DeviceJobs::post(std::function<void()> job) {
    {
        std::lock_guard guard(mutex_);
        if (queue_.size() >= kMaxQueued)
            return false;
        queue_.push_back(std::move(job));
    }
    ready_.set();
    return true;
}

void DeviceJobs::run(const link::StopSignal& stop) {
    for (;;) {
        std::function<void()> job;
        {
            std::lock_guard guard(mutex_);
            if (!queue_.empty()) {
                job = std::move(queue_.front());
                queue_.pop_front();
            }
        }
        if (job) {
            job();
            if (stop.requested())
                return;
            continue;
        }
        // Sleeps until a job is posted or the stop comes.
        if (stop.waitFor(std::chrono::hours(24), ready_.fd()) == link::StopSignal::Wake::stop)
            return;
        static_cast<void>(ready_.consume());
    }
}

}  // namespace quillon::shell
