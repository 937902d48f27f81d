#pragma once

// The on-screen picture of a device as the generators leave it: one colour and
// alpha per key or LED control. Generators write it from their lighting thread;
// the GUI reads it at its own pace and paints only what changed. Each cell is
// one atomic word, so a reader sees every cell either old or new, never torn.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "lighting/colour_tables.h"

namespace quillon::lighting {

// The changer colour of a control: green * 65536 + blue * 256 + red.
constexpr std::uint32_t packChangerColour(Rgb c) {
    return static_cast<std::uint32_t>(c.green) << 16 | static_cast<std::uint32_t>(c.blue) << 8 |
           c.red;
}

struct MirrorCell {
    std::uint32_t colour = 0;  // packed changer colour
    std::uint8_t alpha = 0;
    friend constexpr bool operator==(const MirrorCell&, const MirrorCell&) = default;
};

class ScreenMirror {
  public:
    static constexpr std::size_t kCapacity = 126;

    explicit ScreenMirror(std::size_t size = kCapacity)
        : size_(size < kCapacity ? size : kCapacity) {}
    ScreenMirror(const ScreenMirror&) = delete;
    ScreenMirror& operator=(const ScreenMirror&) = delete;

    std::size_t size() const { return size_; }

    // Out-of-range controls are ignored.
    void draw(std::size_t control, Rgb colour, std::uint8_t alpha) {
        if (control >= size_)
            return;
        cells_[control].store(packChangerColour(colour) | static_cast<std::uint32_t>(alpha) << 24,
                              std::memory_order_relaxed);
    }

    MirrorCell cell(std::size_t control) const {
        if (control >= size_)
            return {};
        const std::uint32_t v = cells_[control].load(std::memory_order_relaxed);
        return {v & 0xFFFFFFu, static_cast<std::uint8_t>(v >> 24)};
    }

    // Every control dark: what a mode that drives nothing shows.
    void darken() {
        for (std::size_t i = 0; i < size_; ++i)
            cells_[i].store(0, std::memory_order_relaxed);
    }

    // Bumped after every generator call; the GUI repaints when it moved.
    void publish() { generation_.fetch_add(1, std::memory_order_release); }
    std::uint32_t generation() const { return generation_.load(std::memory_order_acquire); }

  private:
    std::size_t size_;
    std::array<std::atomic<std::uint32_t>, kCapacity> cells_{};
    std::atomic<std::uint32_t> generation_{0};
};

}  // namespace quillon::lighting
