#pragma once

// Writes whole reports to a hidraw fd under a time limit and an abort signal.
//
// write() on hidraw is synchronous inside the kernel: it can block for seconds
// on a stalled device, and poll() always says the fd is writable, so neither
// poll() nor O_NONBLOCK can bound a write. The write itself therefore runs on
// a small thread per connection, on the writer's own copy of the report, and
// the caller poll()s an eventfd that the thread signals on completion together
// with the abort signal's eventfd, for at most the time limit. A caller that
// gives up leaves the write to finish in the kernel; the next write waits
// (within its own limit) until the writer is free again.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <thread>

#include "platform/abort_signal.h"
#include "platform/hid/hid_backend.h"
#include "platform/hid/linux/file_descriptor.h"

namespace quillon::platform {

class ReportWriter {
  public:
    explicit ReportWriter(std::shared_ptr<const FileDescriptor> fd);
    // Never blocks for long: a writer stuck in the kernel is left to finish
    // on its own and keeps the fd open until then.
    ~ReportWriter();
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    // One whole report. The thread is started by the first write.
    TransferStatus write(std::span<const std::uint8_t> report, int timeoutMs, AbortSignal& abort,
                         std::size_t& written);

  private:
    struct State;
    static void run(std::shared_ptr<State> state);
    bool startThread();

    std::shared_ptr<State> state_;
    std::thread thread_;
};

}  // namespace quillon::platform
