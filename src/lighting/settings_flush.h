#pragma once

// The one-second settings flush: the mouse and the mousepad keep their
// lighting (and the mouse its performance settings) in their own memory, and
// a changed record reaches them with one 56-byte settings write per tick, so
// a burst of changes costs one write.

#include <cstddef>
#include <cstdint>
#include <span>

#include "lighting/lighting_settings.h"
#include "link/command_report.h"
#include "link/device_catalogue.h"
#include "link/status.h"

namespace quillon::link {
struct DeviceLink;
}

namespace quillon::lighting {

inline constexpr int kSettingsFlushPeriodMs = 1000;
inline constexpr std::size_t kSettingsWriteBytes = link::kSettingsSlotBytes;

class SettingsWriter {
  public:
    virtual ~SettingsWriter() = default;
    // One CMD_WRITE_SETTINGS of the 56 bytes to the device kind.
    virtual link::Status writeSettings(link::DeviceKind kind,
                                       std::span<const std::uint8_t> bytes) = 0;
    // Whether the device kind is attached now.
    virtual bool connected(link::DeviceKind kind) const = 0;

  protected:
    SettingsWriter() = default;
    SettingsWriter(const SettingsWriter&) = default;
    SettingsWriter& operator=(const SettingsWriter&) = default;
};

// Over the device links (the write also ends synchronised lighting of that
// device).
class LinkSettingsWriter final : public SettingsWriter {
  public:
    LinkSettingsWriter(link::DeviceLink& mouse, link::DeviceLink& mousepad)
        : mouse_(mouse), mousepad_(mousepad) {}
    link::Status writeSettings(link::DeviceKind kind, std::span<const std::uint8_t> bytes) override;
    bool connected(link::DeviceKind kind) const override;

  private:
    link::DeviceLink& mouse_;
    link::DeviceLink& mousepad_;
};

struct FlushOutcome {
    bool mouseWritten = false;
    bool mousepadWritten = false;
};

// One timer tick: every dirty record goes out once and its flag is cleared.
// The record is copied and the flag cleared together, so a change made during
// the write is sent on the next tick. A write that failed while the device is
// still attached marks the record again, so the next tick retries it; a device
// that left reads its state anew when it comes back.
FlushOutcome flushDirtySettings(LightingSettings& settings, SettingsWriter& writer);

// The window timer's work: the application calls tick() every
// kSettingsFlushPeriodMs, away from the GUI thread (a silent device holds a
// write for up to its read limit).
class SettingsFlushTimer {
  public:
    SettingsFlushTimer(LightingSettings& settings, SettingsWriter& writer)
        : settings_(settings), writer_(writer) {}
    FlushOutcome tick() { return flushDirtySettings(settings_, writer_); }

  private:
    LightingSettings& settings_;
    SettingsWriter& writer_;
};

}  // namespace quillon::lighting
