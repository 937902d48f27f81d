#pragma once

// The HID services the device link needs, independent of where the devices
// come from: the hidraw nodes of the system (linux/) or the emulated devices of
// the virtual bus (emu/).
//
// The enumeration describes every top-level collection of every interface
// (hid_interface.h); open and probe take such a description back.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/abort_signal.h"
#include "platform/hid/hid_interface.h"
#include "platform/hid/report_descriptor.h"

namespace quillon::platform {

struct HidOpenFlags {
    bool read = false;
    bool write = false;
    bool overlapped = false;
    bool exclusive = false;  // share the interface only for reading
};

struct HidAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
};

enum class TransferStatus : std::uint8_t {
    completed,  // the whole report moved
    timedOut,   // the time limit passed first
    aborted,    // the abort signal ended the wait
    failed,     // I/O error or the device is gone
};

inline constexpr int kNoTimeLimit = -1;

// One open interface (one top-level collection).
class HidConnection {
  public:
    virtual ~HidConnection() = default;

    virtual const HidAttributes& attributes() const = 0;
    virtual const TopLevelCollection& collection() const = 0;

    // Writes one whole report (report id in byte 0). Returns within about
    // timeoutMs even when the device stalls, or at once when `abort` is set;
    // the report buffer may be reused as soon as this returns.
    virtual TransferStatus writeReport(std::span<const std::uint8_t> report, int timeoutMs,
                                       AbortSignal& abort, std::size_t& written) = 0;

    // Reads one whole input report of this collection (report id in byte 0;
    // a collection without report ids gets a 0 there). timeoutMs may be
    // kNoTimeLimit.
    virtual TransferStatus readReport(std::span<std::uint8_t> buffer, int timeoutMs,
                                      AbortSignal& abort, std::size_t& got) = 0;

    // Drops input reports that are already queued, without waiting. The link
    // calls it before each request so that a late answer to an earlier,
    // abandoned request never passes for the answer to the next one.
    virtual void discardPendingInput() = 0;
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;

    // Every present interface, in a stable order. False when the system could
    // not be asked (the list is then empty).
    virtual bool enumerate(std::vector<HidInterface>& interfaces) = 0;

    // Opens one interface; nullptr when it is absent, not accessible, or no
    // longer the device the description names.
    virtual std::unique_ptr<HidConnection> open(const HidInterface& iface, HidOpenFlags flags) = 0;

    // Whether the interface still exists (an open with no access rights).
    virtual bool probe(const HidInterface& iface) = 0;

    // A file descriptor that becomes readable when interfaces arrive or
    // leave, so a searching poll can wake early; -1 when there is none.
    // Reading it is left to drainHotplug().
    virtual int hotplugFd() { return -1; }
    virtual void drainHotplug() {}
};

}  // namespace quillon::platform
