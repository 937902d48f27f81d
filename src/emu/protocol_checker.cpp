#include "emu/protocol_checker.h"

#include <algorithm>

namespace quillon::emu {
namespace {

using link::Command;

bool isStoredDataTransfer(Command command) {
    switch (command) {
        case Command::readKeymapBase:
        case Command::readKeymapSlot:
        case Command::writeKeymapSlot:
        case Command::writeMacros:
        case Command::readCursors:
        case Command::writeCursors:
            return true;
        default:
            return false;
    }
}

}  // namespace

void ProtocolChecker::check(const link::CommandReport& request, ViolationLog& log) {
    auto violated = [&](ViolationKind kind) {
        log.record({description_.product.productId, kind, request});
    };
    const auto command = static_cast<Command>(request.command());

    if (command == Command::reset) {
        // The reset goes out bare: no checksum, nothing but its command.
        for (std::size_t i = 1; i < link::kReportSize; ++i)
            if (i != 3 && request.bytes[i] != 0) {
                violated(ViolationKind::resetBytes);
                break;
            }
    } else {
        if (link::reportChecksum(request.bytes) != request.checksum())
            violated(ViolationKind::checksum);
        if (request.status() != 0)
            violated(ViolationKind::statusByte);
    }

    switch (command) {
        case Command::begin:
            // A Begin right after a Begin is its retry after a lost answer.
            if (sequenceOpen_ && previousCommand_ != request.command())
                violated(ViolationKind::beginInSequence);
            sequenceOpen_ = true;
            break;
        case Command::end:
            // Likewise an End right after an End.
            if (!sequenceOpen_ && previousCommand_ != request.command())
                violated(ViolationKind::endWithoutBegin);
            sequenceOpen_ = false;
            break;
        case Command::readInfo:
            if (request.length() != link::kDeviceInfoSize || request.offset() != 0)
                violated(ViolationKind::readInfoShape);
            break;
        case Command::ledFrame:
            checkFrameChunk(request, log);
            break;
        default:
            if (isStoredDataTransfer(command) && !sequenceOpen_)
                violated(ViolationKind::unframedTransfer);
            break;
    }
    previousCommand_ = request.command();
}

void ProtocolChecker::checkFrameChunk(const link::CommandReport& request, ViolationLog& log) {
    const std::size_t offset = request.offset();
    const std::size_t n = request.length();
    // The same chunk again is its retry after a lost answer.
    const bool retry =
        previousCommand_ == request.command() && offset == previousOffset_ && n == previousLength_;
    previousOffset_ = offset;
    previousLength_ = n;
    if (retry)
        return;
    // A frame starts at offset 0; a chunk that neither starts one nor
    // continues the open one is out of place.
    if (offset == 0) {
        frameOpen_ = true;
    } else if (!frameOpen_ || offset != frameNext_) {
        log.record({description_.product.productId, ViolationKind::frameSize, request});
        frameOpen_ = false;
        return;
    }
    frameNext_ = offset + n;
    // Every frame size of the family ends with a chunk shorter than 56 bytes.
    if (n < link::kPayloadSize || frameNext_ >= description_.maxFrameSize()) {
        if (!description_.isFrameSize(frameNext_))
            log.record({description_.product.productId, ViolationKind::frameSize, request});
        frameOpen_ = false;
    }
}

}  // namespace quillon::emu
