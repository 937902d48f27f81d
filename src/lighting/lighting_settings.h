#pragma once

// The lighting settings of every device kind in one guarded place. The GUI
// thread edits them; the lighting threads take a snapshot of the few bytes
// they need once per tick. The lock is held only for a copy, never across
// device I/O or a callback into the GUI.

#include <mutex>

#include "lighting/lighting_record.h"

namespace quillon::lighting {

struct LightingRecords {
    KeyboardState keyboard;
    MouseState mouse;
    MousepadState mousepad;
    LightingRecord sync;
    CustomColourStore custom;
    // Set when MouseState / MousepadState changed and must reach the device.
    bool mouseDirty = false;
    bool mousepadDirty = false;
};

class LightingSettings {
  public:
    LightingSettings() = default;
    LightingSettings(const LightingSettings&) = delete;
    LightingSettings& operator=(const LightingSettings&) = delete;

    // Runs f(LightingRecords&) under the lock. f must not block or call out.
    template <class F>
    decltype(auto) edit(F&& f) {
        std::lock_guard<std::mutex> hold(mutex_);
        return f(records_);
    }
    template <class F>
    decltype(auto) read(F&& f) const {
        std::lock_guard<std::mutex> hold(mutex_);
        return f(static_cast<const LightingRecords&>(records_));
    }

    LightingRecords snapshot() const {
        return read([](const LightingRecords& r) { return r; });
    }
    LightingRecord keyboardLighting() const {
        return read([](const LightingRecords& r) { return r.keyboard.lighting; });
    }
    LightingRecord mouseLighting() const {
        return read([](const LightingRecords& r) { return r.mouse.lighting; });
    }
    LightingRecord mousepadLighting() const {
        return read([](const LightingRecords& r) { return r.mousepad.lighting; });
    }
    LightingRecord syncLighting() const {
        return read([](const LightingRecords& r) { return r.sync; });
    }
    void copyCurrentCustomSet(CustomSet& out) const {
        read([&](const LightingRecords& r) { out = r.custom.current(); });
    }

  private:
    mutable std::mutex mutex_;
    LightingRecords records_;
};

}  // namespace quillon::lighting
