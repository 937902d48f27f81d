#pragma once

// The firmware of one emulated product: answers one command report at a time
// and keeps what a real device keeps (settings slots, key maps, macro and
// movement-pattern memory, the last lighting frame). One implementation for
// every product, parameterised by its ProductDescription.
//
// Not thread-safe: the emulated device serialises calls. Handling a request
// never allocates.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "emu/product_description.h"
#include "link/command_report.h"
#include "link/device_info.h"

namespace quillon::emu {

inline constexpr std::uint8_t kAnswerOk = 0x00;
inline constexpr std::size_t kMaxFrameSize = 378;

class FirmwareModel {
  public:
    explicit FirmwareModel(const ProductDescription& description);

    // Handles one request and writes the whole answer: the command byte,
    // length and offset echoed, the payload (read data, or the written data
    // echoed), the status (0 or 0xFF when the request is refused) and the checksum.
    void handle(const link::CommandReport& request, link::CommandReport& answer);

    // What CMD_RESET does: the settings area returns to its factory state.
    void restoreFactorySettings();
    // What a device does when its power goes (many do on suspend): the
    // settings area is the factory's again and the lighting frame is gone.
    void losePower();

    // Test set-up: state a device could hold (a keyboard reporting too many
    // keys, a mousepad left on slot 3, patterns stored by an earlier run).
    link::DeviceInfo& mutableInfo() { return info_; }
    std::span<std::uint8_t, kSettingsAreaSize> mutableSettingsArea() { return settings_; }
    std::span<std::uint8_t, kKeymapImageSize> mutableBaseKeymap() { return baseKeymap_; }
    std::span<std::uint8_t, kKeymapImageSize> mutableKeymapSlot(std::size_t slot) {
        return keymapSlots_[slot];
    }
    std::span<std::uint8_t> mutablePatternMemory() {
        return std::span(patterns_).first(description_.patternMemorySize);
    }

    const ProductDescription& description() const { return description_; }
    const link::DeviceInfo& info() const { return info_; }
    std::span<const std::uint8_t, kSettingsAreaSize> settingsArea() const { return settings_; }
    std::uint8_t activeSlot() const { return settings_[0]; }
    // The 56 bytes of one slot record as stored (byte 0 of slot 0 is the active slot).
    std::span<const std::uint8_t, kSlotRecordSize> slotRecord(std::size_t slot) const;
    std::span<const std::uint8_t, kKeymapImageSize> baseKeymap() const { return baseKeymap_; }
    std::span<const std::uint8_t, kKeymapImageSize> keymapSlot(std::size_t slot) const {
        return keymapSlots_[slot];
    }
    std::span<const std::uint8_t> macroMemory() const {
        return std::span(macros_).first(description_.macroMemorySize());
    }
    std::span<const std::uint8_t> patternMemory() const {
        return std::span(patterns_).first(description_.patternMemorySize);
    }
    // The last whole lighting frame of one of the product's sizes (empty before the first).
    std::span<const std::uint8_t> lastFrame() const {
        return std::span(lastFrame_).first(lastFrameSize_);
    }
    std::uint64_t frameCount() const { return frameCount_; }
    // Requests other than CMD_RESET whose checksum did not add up.
    std::uint64_t checksumMismatches() const { return checksumMismatches_; }
    std::uint64_t commandCount(link::Command command) const {
        return commandCounts_[static_cast<std::uint8_t>(command)];
    }

  private:
    // A chunked key-map transfer in progress: its chunks arrive in order, so a
    // chunk that continues the previous full chunk of the same command belongs
    // to it (offsets of one slot's transfer run past the next slot's start).
    struct KeymapTransfer {
        bool active = false;
        std::size_t slot = 0;
        std::uint32_t nextOffset = 0;
    };

    bool readSettings(const link::CommandReport& request, link::CommandReport& answer);
    bool writeSettings(const link::CommandReport& request);
    bool keymapChunk(const link::CommandReport& request, link::CommandReport& answer);
    bool ledFrameChunk(const link::CommandReport& request);
    bool memoryWrite(std::span<std::uint8_t> memory, const link::CommandReport& request);
    bool memoryRead(std::span<const std::uint8_t> memory, const link::CommandReport& request,
                    link::CommandReport& answer);

    const ProductDescription& description_;
    link::DeviceInfo info_;
    std::array<std::uint8_t, kSettingsAreaSize> settings_{};
    std::array<std::uint8_t, kKeymapImageSize> baseKeymap_{};
    std::array<std::array<std::uint8_t, kKeymapImageSize>, kSlotCount> keymapSlots_{};
    std::array<KeymapTransfer, 3> transfers_{};  // read base, read slot, write slot
    std::array<std::uint8_t, 255 * 128> macros_{};
    std::array<std::uint8_t, kPatternMemorySize> patterns_{};
    std::array<std::uint8_t, kMaxFrameSize> frame_{};
    std::array<std::uint8_t, kMaxFrameSize> lastFrame_{};
    std::size_t lastFrameSize_ = 0;
    std::size_t frameNext_ = 0;  // where the frame being received continues
    std::uint64_t frameCount_ = 0;
    std::uint64_t checksumMismatches_ = 0;
    std::array<std::uint64_t, 256> commandCounts_{};
};

}  // namespace quillon::emu
