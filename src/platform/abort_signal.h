#pragma once

// A wake-up signal that one thread sets to end another thread's wait.
// Backed by an eventfd so that waits can poll() it together with a device fd.
// Like an auto-reset event: a wait that sees it set consumes it; a set that no
// wait consumes stays set and ends the next wait at once.

namespace quillon::platform {

class AbortSignal {
public:
    AbortSignal();
    ~AbortSignal();
    AbortSignal(const AbortSignal&) = delete;
    AbortSignal& operator=(const AbortSignal&) = delete;

    void set();
    // Clears the signal; returns whether it was set.
    bool consume();
    // Readable while set. Valid for the object's whole life.
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace quillon::platform
