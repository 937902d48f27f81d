#include "update/background_work.h"

#include <atomic>

namespace quillon::update {

BackgroundWork::~BackgroundWork() {
    joinAll();
}

void BackgroundWork::start(std::function<void()> work) {
    std::lock_guard lock(mutex_);
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        if (it->done->load()) {
            it->thread.join();
            it = jobs_.erase(it);
        } else {
            ++it;
        }
    }
    auto done = std::make_shared<std::atomic<bool>>(false);
    jobs_.push_back(Job{std::thread([work = std::move(work), done] {
                            work();
                            done->store(true);
                        }),
                        done});
}

void BackgroundWork::joinAll() {
    std::list<Job> jobs;
    {
        std::lock_guard lock(mutex_);
        jobs.swap(jobs_);
    }
    for (Job& job : jobs)
        job.thread.join();
}

}  // namespace quillon::update
