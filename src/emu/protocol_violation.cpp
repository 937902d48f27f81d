#include "emu/protocol_violation.h"

#include <atomic>
#include <cstdio>

#include "platform/debug_output.h"

namespace quillon::emu {
namespace {

void writeToDebugOutput(std::span<const ProtocolViolation> violations, std::size_t notKept) {
    for (const ProtocolViolation& v : violations)
        platform::debugOutput("emulated device: " + describe(v));
    if (notKept != 0)
        platform::debugOutput("emulated device: " + std::to_string(notKept) +
                              " more protocol violations");
}

std::atomic<ViolationHandler> unclaimedHandler{&writeToDebugOutput};

}  // namespace

const char* describe(ViolationKind kind) {
    switch (kind) {
        case ViolationKind::checksum:
            return "checksum does not match bytes 3..63";
        case ViolationKind::statusByte:
            return "status byte of a request is not 0";
        case ViolationKind::readInfoShape:
            return "information read not of length 31 at offset 0";
        case ViolationKind::resetBytes:
            return "reset carries a checksum, length, offset or payload";
        case ViolationKind::unframedTransfer:
            return "stored-data transfer outside Begin ... End";
        case ViolationKind::endWithoutBegin:
            return "End without Begin";
        case ViolationKind::beginInSequence:
            return "Begin inside an open sequence";
        case ViolationKind::frameSize:
            return "lighting chunks do not make a frame of the product's size";
        case ViolationKind::refused:
            return "request refused by the firmware";
    }
    return "unknown violation";
}

std::string describe(const ProtocolViolation& v) {
    char header[192];
    const link::CommandReport& r = v.request;
    std::snprintf(header, sizeof header,
                  "product %04x: %s (command %02x, length %u, offset %u, status %02x, checksum "
                  "%04x)",
                  v.productId, describe(v.kind), r.command(), unsigned(r.length()),
                  unsigned(r.offset()), r.status(), r.checksum());
    return header;
}

void ViolationLog::record(const ProtocolViolation& violation) {
    std::lock_guard lock(mutex_);
    ++count_;
    if (kept_.size() < kCapacity)
        kept_.push_back(violation);
}

std::vector<ProtocolViolation> ViolationLog::take() {
    std::lock_guard lock(mutex_);
    std::vector<ProtocolViolation> taken;
    taken.reserve(kCapacity);
    taken.swap(kept_);
    count_ = 0;
    return taken;
}

std::size_t ViolationLog::count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

void setUnclaimedViolationHandler(ViolationHandler handler) {
    unclaimedHandler.store(handler != nullptr ? handler : &writeToDebugOutput);
}

void handOverUnclaimed(std::span<const ProtocolViolation> violations, std::size_t notKept) {
    if (violations.empty() && notKept == 0)
        return;
    unclaimedHandler.load()(violations, notKept);
}

}  // namespace quillon::emu
