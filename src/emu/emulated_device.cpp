#include "emu/emulated_device.h"

#include <algorithm>

#include "emu/report_descriptors.h"
#include "emu/virtual_connection.h"
#include "platform/hid/collection_interface.h"

namespace quillon::emu {

std::shared_ptr<EmulatedDevice> EmulatedDevice::create(
    const ProductDescription& description, std::uint32_t instance,
    std::shared_ptr<platform::AbortSignal> hotplug, std::shared_ptr<ViolationLog> violations) {
    std::shared_ptr<EmulatedDevice> device(
        new EmulatedDevice(description, std::move(hotplug), std::move(violations)));
    for (InterfaceLayout& layout : interfaceLayout(description, instance)) {
        auto parsed = platform::parseReportDescriptor(layout.descriptor);
        if (!parsed || parsed->collections.size() != layout.roles.size())
            return nullptr;
        for (std::size_t i = 0; i < layout.roles.size(); ++i) {
            platform::HidInterface iface = platform::describeCollection(
                layout.node, device->attributes_.vendorId, device->attributes_.productId,
                layout.interfaceNumber, parsed->collections, i);
            device->collections_.push_back({layout.roles[i], std::move(iface),
                                            std::move(parsed->collections[i]), layout.descriptor});
        }
    }
    return device;
}

EmulatedDevice::EmulatedDevice(const ProductDescription& description,
                               std::shared_ptr<platform::AbortSignal> hotplug,
                               std::shared_ptr<ViolationLog> violations)
    : description_(description),
      attributes_{link::kVendorId, description.product.productId, description.versionNumber},
      hotplug_(std::move(hotplug)),
      violations_(std::move(violations)),
      firmware_(description),
      checker_(description) {
    connections_.reserve(8);
    requestLog_.reserve(kRequestLogCapacity);
}

EmulatedDevice::~EmulatedDevice() = default;

const EmulatedCollection* EmulatedDevice::findCollection(
    const platform::HidInterface& iface) const {
    for (const EmulatedCollection& c : collections_)
        if (c.hidInterface == iface)
            return &c;
    return nullptr;
}

const EmulatedCollection& EmulatedDevice::commandCollection() const {
    for (const EmulatedCollection& c : collections_)
        if (c.role == CollectionRole::command)
            return c;
    return collections_.front();  // every product has one; never reached
}

bool EmulatedDevice::present() const {
    return present_.load(std::memory_order_acquire);
}

void EmulatedDevice::unplug() {
    std::lock_guard lock(mutex_);
    unplugLocked();
}

void EmulatedDevice::unplugLocked() {
    if (!present_.exchange(false, std::memory_order_acq_rel))
        return;
    const auto now = Clock::now();
    for (VirtualConnection* c : connections_)
        c->dropUnsent(now);
    gone_.set();
    if (hotplug_)
        hotplug_->set();
}

std::size_t EmulatedDevice::emitEvent(std::uint16_t code) {
    const std::uint8_t report[3] = {kEventReportId, std::uint8_t(code & 0xFF),
                                    std::uint8_t(code >> 8)};
    std::lock_guard lock(mutex_);
    if (!present())
        return 0;
    std::size_t reached = 0;
    const auto now = Clock::now();
    for (VirtualConnection* c : connections_) {
        if (c->role() != CollectionRole::events)
            continue;
        c->queueInput(report, now);
        ++reached;
    }
    return reached;
}

void EmulatedDevice::dropAnswers(std::uint32_t count) {
    std::lock_guard lock(mutex_);
    faults_.dropAnswers(count);
}

void EmulatedDevice::dropAnswersUntilCleared() {
    std::lock_guard lock(mutex_);
    faults_.dropAnswersUntilCleared();
}

void EmulatedDevice::answerWithStatus(std::uint32_t nthReport, std::uint8_t status) {
    std::lock_guard lock(mutex_);
    faults_.answerWithStatus(nthReport, status);
}

void EmulatedDevice::unplugAfter(std::uint32_t nthReport) {
    std::lock_guard lock(mutex_);
    faults_.unplugAfter(nthReport);
}

void EmulatedDevice::clearFaults() {
    std::lock_guard lock(mutex_);
    faults_.clear();
    latency_ = {};
    writeStall_ = {};
}

void EmulatedDevice::setLatency(std::chrono::microseconds latency) {
    std::lock_guard lock(mutex_);
    latency_ = latency;
}

void EmulatedDevice::setWriteStall(std::chrono::milliseconds stall) {
    std::lock_guard lock(mutex_);
    writeStall_ = stall;
}

std::chrono::milliseconds EmulatedDevice::writeStall() const {
    std::lock_guard lock(mutex_);
    return writeStall_;
}

std::uint64_t EmulatedDevice::requestCount() const {
    std::lock_guard lock(mutex_);
    return requestCount_;
}

std::vector<link::CommandReport> EmulatedDevice::requests() const {
    std::lock_guard lock(mutex_);
    if (requestLog_.size() < kRequestLogCapacity)
        return requestLog_;
    // Full ring: the oldest entry is the next one to be overwritten.
    const std::size_t oldest = requestCount_ % kRequestLogCapacity;
    std::vector<link::CommandReport> ordered(requestLog_.begin() + std::ptrdiff_t(oldest),
                                             requestLog_.end());
    ordered.insert(ordered.end(), requestLog_.begin(),
                   requestLog_.begin() + std::ptrdiff_t(oldest));
    return ordered;
}

void EmulatedDevice::clearRequestLog() {
    std::lock_guard lock(mutex_);
    requestLog_.clear();
    requestCount_ = 0;
}

std::vector<std::uint8_t> EmulatedDevice::lastFrame() const {
    std::lock_guard lock(mutex_);
    const auto frame = firmware_.lastFrame();
    return {frame.begin(), frame.end()};
}

std::uint64_t EmulatedDevice::frameCount() const {
    std::lock_guard lock(mutex_);
    return firmware_.frameCount();
}

std::uint8_t EmulatedDevice::activeSlot() const {
    std::lock_guard lock(mutex_);
    return firmware_.activeSlot();
}

void EmulatedDevice::takeCommand(VirtualConnection& connection,
                                 std::span<const std::uint8_t> report) {
    link::CommandReport request;
    std::copy_n(report.begin(), link::kReportSize, request.bytes.begin());
    // The log is reserved to its capacity up front: logging never allocates.
    if (requestLog_.size() < kRequestLogCapacity)
        requestLog_.push_back(request);
    else
        requestLog_[requestCount_ % kRequestLogCapacity] = request;
    ++requestCount_;

    checker_.check(request, *violations_);
    const FaultDecision fault = faults_.next();
    if (fault.process) {
        firmware_.handle(request, answer_);
        if (answer_.status() == link::kStatusError)
            violations_->record({product().productId, ViolationKind::refused, request});
    } else if (fault.status != 0) {
        answer_.bytes.fill(0);
        answer_.setHeader(static_cast<link::Command>(request.command()), request.length(),
                          request.offset());
        answer_.bytes[7] = fault.status;
        link::sealChecksum(answer_);
    }
    if (fault.answer)
        connection.queueInput(answer_.bytes, Clock::now() + latency_);
    if (fault.unplugAfter)
        unplugLocked();
}

void EmulatedDevice::registerConnection(VirtualConnection* connection) {
    std::lock_guard lock(mutex_);
    connections_.push_back(connection);
}

void EmulatedDevice::unregisterConnection(VirtualConnection* connection) {
    std::lock_guard lock(mutex_);
    std::erase(connections_, connection);
}

}  // namespace quillon::emu
