#pragma once

// Capturing the next key the user presses for the key editor. The macro
// recorder's low-level hooks provide it; tests drive a fake. GUI thread: the
// sink is called on the GUI thread, once per key press, until stopCapture.

#include <cstdint>
#include <functional>

namespace quillon::keys {

// Which editor asked, as the recorder tells its users apart.
enum class CaptureMode : std::uint8_t { keyboardEditor = 1, mouseEditor = 16 };

// A key press: its virtual-key code (platform/input/key_codes.h) and the
// low-level flags (bit 0 extended key, bit 7 key up).
using CapturedKeySink = std::function<void(std::uint16_t virtualKey, std::uint32_t flags)>;

class KeyCaptureSource {
  public:
    virtual ~KeyCaptureSource() = default;
    // Replaces any capture in progress.
    virtual void startCapture(CaptureMode mode, CapturedKeySink sink) = 0;
    virtual void stopCapture() = 0;
};

// Until the recorder is there: no key ever arrives.
class NoKeyCapture final : public KeyCaptureSource {
  public:
    void startCapture(CaptureMode, CapturedKeySink) override {}
    void stopCapture() override {}
};

}  // namespace quillon::keys
