#pragma once

// The program's one set of system-wide input hooks, shared by the key
// editors' key capture and the macro editors' recording. Events come from the
// backend's thread as window messages (captured key, recorded key, recorded
// button; one id per editor), so every handler runs on the GUI thread. The
// hooks go when the window is deactivated, before a page change, when a
// capture or recording ends, and at shutdown. Idle, nothing runs.

#include <functional>
#include <memory>

#include "keys/key_capture.h"
#include "keys/macro_editor.h"
#include "link/device_catalogue.h"
#include "platform/input/input_hooks.h"
#include "shell/application.h"

namespace quillon::keys {

enum class HookMode : std::uint8_t {
    none = 0,
    keyboardCapture = 1,
    keyboardMacro = 4,
    mouseCapture = 16,
    mouseMacro = 64,
};

using RecordSink = std::function<void(const platform::InputEvent&)>;

class RecorderHooks final : public KeyCaptureSource, public MacroRecordSource {
  public:
    RecorderHooks(shell::Application& app, std::unique_ptr<platform::InputHooks> hooks);
    ~RecorderHooks() override;
    RecorderHooks(const RecorderHooks&) = delete;
    RecorderHooks& operator=(const RecorderHooks&) = delete;

    // Message handlers and the removal on deactivation and page changes.
    void install();

    // Key capture: every other key is taken from other programs.
    void startCapture(CaptureMode mode, CapturedKeySink sink) override;
    void stopCapture() override { removeHooks(); }

    // Recording for the macro editor of `kind`: keys (consumed) and buttons
    // (passed on) as the request asks.
    platform::InputStartResult startRecording(link::DeviceKind kind,
                                              const platform::InputRequest& request,
                                              RecordSink sink) override;
    void removeHooks() override;
    HookMode mode() const { return mode_; }
    std::string_view backendName() const { return hooks_->backendName(); }

  private:
    void delivered(HookMode mode, const shell::WindowMessage& message);

    shell::Application& app_;
    std::unique_ptr<platform::InputHooks> hooks_;
    HookMode mode_ = HookMode::none;
    CapturedKeySink captureSink_;
    RecordSink recordSink_;
};

// Input events through window messages and back: wParam holds the type,
// press, extended flag, button and key code; lParam the time.
shell::WindowMessage inputEventMessage(shell::MessageId id, const platform::InputEvent& event);
platform::InputEvent inputEventOf(const shell::WindowMessage& message);

}  // namespace quillon::keys
