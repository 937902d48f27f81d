#pragma once

// An owned file descriptor, closed when its owner goes away. Connections hold
// it through a shared_ptr so that a write stuck in the kernel keeps the fd it
// uses open after the connection itself is gone.

#include <unistd.h>

namespace quillon::platform {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Hands the fd on; this object then closes nothing.
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

}  // namespace quillon::platform
