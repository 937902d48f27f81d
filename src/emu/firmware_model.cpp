#include "emu/firmware_model.h"

#include <algorithm>

namespace quillon::emu {
namespace {

using link::Command;
using link::kPayloadSize;

std::size_t transferIndex(Command command) {
    switch (command) {
        case Command::readKeymapBase:
            return 0;
        case Command::readKeymapSlot:
            return 1;
        default:
            return 2;
    }
}

}  // namespace

FirmwareModel::FirmwareModel(const ProductDescription& description)
    : description_(description), info_(makeDeviceInfo(description)) {
    restoreFactorySettings();
    baseKeymap_ = factoryKeymapImage(description.factoryKeys());
    for (auto& slot : keymapSlots_)
        slot = baseKeymap_;
}

void FirmwareModel::restoreFactorySettings() {
    settings_ = factorySettingsArea(description_);
}

void FirmwareModel::losePower() {
    restoreFactorySettings();
    lastFrameSize_ = 0;
    frameNext_ = 0;
}

std::span<const std::uint8_t, kSlotRecordSize> FirmwareModel::slotRecord(std::size_t slot) const {
    return std::span<const std::uint8_t, kSlotRecordSize>(
        settings_.data() + slot * kSlotRecordStride, kSlotRecordSize);
}

void FirmwareModel::handle(const link::CommandReport& request, link::CommandReport& answer) {
    const auto command = static_cast<Command>(request.command());
    ++commandCounts_[request.command()];
    // The reset request goes out without a checksum.
    if (command != Command::reset && link::reportChecksum(request.bytes) != request.checksum())
        ++checksumMismatches_;

    answer.bytes.fill(0);
    answer.setHeader(command, request.length(), request.offset());
    bool ok = request.length() <= kPayloadSize;
    if (ok) {
        switch (command) {
            case Command::begin:
            case Command::end:
                // A sequence boundary ends any key-map transfer.
                transfers_ = {};
                break;
            case Command::readInfo:
                std::copy_n(info_.bytes.begin(),
                            std::min<std::size_t>(request.length(), link::kDeviceInfoSize),
                            answer.payload().begin());
                break;
            case Command::readSettings:
                ok = readSettings(request, answer);
                break;
            case Command::writeSettings:
                ok = writeSettings(request);
                break;
            case Command::readKeymapBase:
            case Command::readKeymapSlot:
            case Command::writeKeymapSlot:
                ok = keymapChunk(request, answer);
                break;
            case Command::reset:
                restoreFactorySettings();
                break;
            case Command::ledFrame:
                ok = ledFrameChunk(request);
                break;
            case Command::writeMacros:
                ok = memoryWrite(std::span(macros_).first(description_.macroMemorySize()), request);
                break;
            case Command::readCursors:
                ok = memoryRead(patternMemory(), request, answer);
                break;
            case Command::writeCursors:
                ok = memoryWrite(std::span(patterns_).first(description_.patternMemorySize),
                                 request);
                break;
            default:
                ok = false;
                break;
        }
    }
    const bool isWrite = command == Command::writeSettings || command == Command::writeKeymapSlot ||
                         command == Command::ledFrame || command == Command::writeMacros ||
                         command == Command::writeCursors;
    if (ok && isWrite)
        std::copy_n(request.payload().begin(), request.length(), answer.payload().begin());
    answer.bytes[7] = ok ? kAnswerOk : link::kStatusError;
    if (!ok)
        std::fill(answer.payload().begin(), answer.payload().end(), std::uint8_t{0});
    link::sealChecksum(answer);
}

bool FirmwareModel::readSettings(const link::CommandReport& request, link::CommandReport& answer) {
    const std::size_t offset = request.offset();
    const std::size_t n = request.length();
    if (offset + n > settings_.size())
        return false;
    std::copy_n(settings_.begin() + offset, n, answer.payload().begin());
    return true;
}

bool FirmwareModel::writeSettings(const link::CommandReport& request) {
    if (request.offset() != 0)
        return false;
    const std::uint8_t slot = request.payload()[0];
    if (slot >= kSlotCount)
        return false;
    if (request.length() == 1) {
        settings_[0] = slot;
        return true;
    }
    if (request.length() != kSlotRecordSize)
        return false;
    // Byte 0 of a record is its slot index; at offset 0 it is the active slot,
    // which only a slot selection changes.
    std::uint8_t* record = settings_.data() + slot * kSlotRecordStride;
    std::copy_n(request.payload().begin() + 1, kSlotRecordSize - 1, record + 1);
    return true;
}

bool FirmwareModel::keymapChunk(const link::CommandReport& request, link::CommandReport& answer) {
    if (!description_.hasKeymaps())
        return false;
    const auto command = static_cast<Command>(request.command());
    const std::uint32_t offset = request.offset();
    const std::size_t n = request.length();
    std::span<std::uint8_t, kKeymapImageSize> map = baseKeymap_;
    std::size_t position = offset;
    if (command != Command::readKeymapBase) {
        KeymapTransfer& t = transfers_[transferIndex(command)];
        if (!(t.active && offset == t.nextOffset)) {
            t.slot = offset / link::kKeymapSlotStride;
            t.active = true;
        }
        t.nextOffset = offset + std::uint32_t(n);
        // A short chunk is a transfer's last: a 126-byte mouse slot ends
        // exactly where the next slot's transfer starts.
        if (n < kPayloadSize)
            t.active = false;
        if (t.slot >= kSlotCount) {
            t.active = false;
            return false;
        }
        map = keymapSlots_[t.slot];
        position = offset - t.slot * link::kKeymapSlotStride;
    }
    if (position + n > map.size())
        return false;
    if (command == Command::writeKeymapSlot)
        std::copy_n(request.payload().begin(), n, map.data() + position);
    else
        std::copy_n(map.data() + position, n, answer.payload().begin());
    return true;
}

bool FirmwareModel::ledFrameChunk(const link::CommandReport& request) {
    const std::size_t offset = request.offset();
    const std::size_t n = request.length();
    if (n == 0 || offset + n > description_.maxFrameSize())
        return false;
    std::copy_n(request.payload().begin(), n, frame_.begin() + offset);
    // A frame is its chunks in order from offset 0 (a chunk sent twice after a
    // lost answer included); any other chunk breaks the frame being received.
    const bool continues = offset == 0 || offset == frameNext_ || offset + n == frameNext_;
    frameNext_ = continues ? offset + n : 0;
    // Every frame size ends with a short chunk; only a whole frame of one of
    // the product's sizes is shown.
    if (n < kPayloadSize || offset + n == description_.maxFrameSize()) {
        if (continues && description_.isFrameSize(offset + n)) {
            lastFrameSize_ = offset + n;
            std::copy_n(frame_.begin(), lastFrameSize_, lastFrame_.begin());
            ++frameCount_;
        }
        frameNext_ = 0;
    }
    return true;
}

bool FirmwareModel::memoryWrite(std::span<std::uint8_t> memory,
                                const link::CommandReport& request) {
    const std::size_t offset = request.offset();
    if (offset + request.length() > memory.size())
        return false;
    std::copy_n(request.payload().begin(), request.length(), memory.data() + offset);
    return true;
}

bool FirmwareModel::memoryRead(std::span<const std::uint8_t> memory,
                               const link::CommandReport& request, link::CommandReport& answer) {
    const std::size_t offset = request.offset();
    if (offset + request.length() > memory.size())
        return false;
    std::copy_n(memory.data() + offset, request.length(), answer.payload().begin());
    return true;
}

}  // namespace quillon::emu
