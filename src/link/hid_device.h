#pragma once

// One HID interface of a device: the enumeration list its owner walks, the
// open connection, its identity and capabilities, and whole-report transfers
// that another thread can cut short.
//
// Threads: the owner (an attach or event thread, or a thread holding the
// link's lock) enumerates, opens and closes; any thread may call close() or
// abort() to end a pending wait of another thread at once. The connection is
// shared with a running transfer, so closing never pulls it from under a
// waiting read.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "link/input_data_item.h"
#include "link/report_trace.h"
#include "platform/abort_signal.h"
#include "platform/hid/hid_backend.h"

namespace quillon::link {

inline constexpr int kWriteTimeLimitMs = 1000;

class HidDevice {
  public:
    explicit HidDevice(platform::HidBackend& backend);
    ~HidDevice();
    HidDevice(const HidDevice&) = delete;
    HidDevice& operator=(const HidDevice&) = delete;

    // --- enumeration (owner only) ---
    // One entry per top-level collection of every present interface.
    std::vector<platform::HidInterface> pathList;
    std::int32_t pathCount = 0;
    std::uint32_t pathCursor = 0;
    // Fills pathList with every present interface. False (list empty) when the
    // system could not be asked.
    bool enumerate();
    void releasePathList();

    // --- opening (owner only) ---
    bool openForRead = false;
    bool openForWrite = false;
    bool openOverlapped = false;
    bool openExclusive = false;
    platform::HidInterface devicePath;

    // Opens devicePath with the four flags; aborts a wait still pending on the
    // previous connection first. False leaves the record closed.
    bool open();
    // Aborts a pending wait, drops capability data and the connection.
    void close();
    bool isOpen() const;
    // Whether devicePath still names a present interface.
    bool probe() const;

    const platform::HidAttributes& attributes() const { return attributes_; }
    const platform::TopLevelCollection& caps() const { return caps_; }
    std::uint32_t interfaceNumber() const { return interfaceNumber_; }
    std::uint32_t collectionNumber() const { return collectionNumber_; }
    std::vector<InputDataItem>& inputItems() { return inputItems_; }
    const std::vector<InputDataItem>& inputItems() const { return inputItems_; }

    // --- transfers (any thread) ---
    // One whole report; 1000 ms limit. A closed record gives failed.
    platform::TransferStatus writeReport(std::span<const std::uint8_t> report,
                                         std::size_t& written);
    // One whole report; timeoutMs may be platform::kNoTimeLimit.
    platform::TransferStatus readReport(std::span<std::uint8_t> buffer, int timeoutMs,
                                        std::size_t& got);
    // Drops input reports that have arrived and not been read.
    void discardPendingInput();
    // Ends the pending wait of another thread (sets the abort signal).
    void abort();
    bool readPending() const { return readPending_.load(std::memory_order_relaxed); }
    bool writePending() const { return writePending_.load(std::memory_order_relaxed); }

    // Updates the input data items from one input report whose first byte is
    // its report id. Items of other report ids are left as they are.
    bool decodeInputReport(std::uint16_t usagePageFilter, std::span<const std::uint8_t> report);

    // Observer of every report moved (nullptr: none). Set before transfers start.
    void setTrace(ReportTrace* trace) { trace_.store(trace, std::memory_order_release); }

    platform::HidBackend& backend() const { return backend_; }

  private:
    std::shared_ptr<platform::HidConnection> connection() const;
    void buildInputItems();

    platform::HidBackend& backend_;
    mutable std::mutex connectionMutex_;
    std::shared_ptr<platform::HidConnection> connection_;
    platform::HidAttributes attributes_;
    platform::TopLevelCollection caps_;
    std::vector<InputDataItem> inputItems_;
    std::uint32_t interfaceNumber_ = 0;
    std::uint32_t collectionNumber_ = 0;
    platform::AbortSignal abortSignal_;
    std::atomic<bool> readPending_{false};
    std::atomic<bool> writePending_{false};
    std::atomic<ReportTrace*> trace_{nullptr};
};

}  // namespace quillon::link
