#pragma once

// One open top-level collection of a hidraw node: whole-report reads that wait
// with poll() on the fd and the abort signal, and writes through a ReportWriter.
//
// Why poll() and an eventfd: a read must end when a report arrives, when the
// device goes away (POLLHUP/POLLERR), when the time limit passes and when
// another thread sets the abort signal. poll() over the device fd and the
// abort signal's eventfd waits for all four at once without a thread or a
// timer per read, and without spinning on non-blocking reads. Writes cannot
// be bounded that way (see report_writer.h).
//
// A hidraw node delivers the reports of every collection of its interface;
// this connection passes on only those whose report id belongs to its own
// collection. One thread reads and one thread writes at a time (the link's
// lock, or the event thread owning its connection, guarantees that); a read
// and a write may run at the same time.

#include <memory>

#include "platform/hid/hid_backend.h"
#include "platform/hid/linux/file_descriptor.h"
#include "platform/hid/linux/report_writer.h"

namespace quillon::platform {

class HidrawConnection final : public HidConnection {
  public:
    // Takes ownership of `fd`, which must be a blocking fd with one report per
    // read() (a hidraw node, or a SOCK_SEQPACKET socket in tests).
    // `deviceUsesReportIds`: whether the node's reports start with an id byte
    // (true when any collection of its descriptor declares report ids).
    HidrawConnection(int fd, HidAttributes attributes, TopLevelCollection collection,
                     bool deviceUsesReportIds);
    ~HidrawConnection() override = default;

    const HidAttributes& attributes() const override { return attributes_; }
    const TopLevelCollection& collection() const override { return collection_; }

    TransferStatus writeReport(std::span<const std::uint8_t> report, int timeoutMs,
                               AbortSignal& abort, std::size_t& written) override;
    TransferStatus readReport(std::span<std::uint8_t> buffer, int timeoutMs, AbortSignal& abort,
                              std::size_t& got) override;
    void discardPendingInput() override;

  private:
    std::shared_ptr<const FileDescriptor> fd_;
    HidAttributes attributes_;
    TopLevelCollection collection_;
    bool reportIds_;
    ReportWriter writer_;
};

}  // namespace quillon::platform
