#include "keys/recorder_hooks.h"

#include "platform/debug_output.h"

namespace quillon::keys {

using shell::MessageId;

namespace {

// Low-level key flags the capture sink expects.
constexpr std::uint32_t kFlagExtended = 0x01;

struct ModeMessages {
    HookMode mode;
    MessageId key;
    MessageId button;
};

constexpr ModeMessages kModeMessages[] = {
    {HookMode::keyboardCapture, MessageId::kbCapturedKey, MessageId::kbRecordedMouse},
    {HookMode::mouseCapture, MessageId::msCapturedKey, MessageId::msRecordedMouse},
    {HookMode::keyboardMacro, MessageId::kbRecordedKey, MessageId::kbRecordedMouse},
    {HookMode::mouseMacro, MessageId::msRecordedKey, MessageId::msRecordedMouse},
};

const ModeMessages& messagesOf(HookMode mode) {
    for (const ModeMessages& m : kModeMessages) {
        if (m.mode == mode)
            return m;
    }
    return kModeMessages[0];
}

bool isCapture(HookMode mode) {
    return mode == HookMode::keyboardCapture || mode == HookMode::mouseCapture;
}

}  // namespace

shell::WindowMessage inputEventMessage(MessageId id, const platform::InputEvent& event) {
    const std::uint64_t w = std::uint64_t(event.virtualKey) | std::uint64_t(event.pressed) << 16 |
                            std::uint64_t(event.extended) << 17 |
                            std::uint64_t(event.type == platform::InputEvent::Type::button) << 18 |
                            std::uint64_t(event.button) << 20;
    return {id, w, std::int64_t(event.timeMs)};
}

platform::InputEvent inputEventOf(const shell::WindowMessage& message) {
    platform::InputEvent e;
    e.virtualKey = std::uint16_t(message.wParam & 0xFFFF);
    e.pressed = (message.wParam >> 16) & 1;
    e.extended = (message.wParam >> 17) & 1;
    e.type = (message.wParam >> 18) & 1 ? platform::InputEvent::Type::button
                                        : platform::InputEvent::Type::key;
    e.button = platform::InputButton((message.wParam >> 20) & 0xF);
    e.timeMs = std::uint64_t(message.lParam);
    return e;
}

RecorderHooks::RecorderHooks(shell::Application& app, std::unique_ptr<platform::InputHooks> hooks)
    : app_(app), hooks_(std::move(hooks)) {}

RecorderHooks::~RecorderHooks() {
    removeHooks();
}

void RecorderHooks::install() {
    for (const ModeMessages& m : kModeMessages) {
        app_.messages().on(m.key, [this, mode = m.mode](const shell::WindowMessage& message) {
            delivered(mode, message);
        });
    }
    for (MessageId id : {MessageId::kbRecordedMouse, MessageId::msRecordedMouse}) {
        const HookMode mode =
            id == MessageId::kbRecordedMouse ? HookMode::keyboardMacro : HookMode::mouseMacro;
        app_.messages().on(
            id, [this, mode](const shell::WindowMessage& message) { delivered(mode, message); });
    }
    app_.events().subscribe<shell::ActivationChanged>([this](const shell::ActivationChanged& e) {
        if (!e.active)
            removeHooks();
    });
    app_.tabs().setBeforePageChange([this] { removeHooks(); });
}

void RecorderHooks::delivered(HookMode mode, const shell::WindowMessage& message) {
    // A message still queued from hooks that were removed, or from another mode.
    if (mode != mode_)
        return;
    const platform::InputEvent event = inputEventOf(message);
    if (isCapture(mode)) {
        if (event.type == platform::InputEvent::Type::key && event.pressed && captureSink_)
            captureSink_(event.virtualKey, event.extended ? kFlagExtended : 0);
        return;
    }
    if (recordSink_)
        recordSink_(event);
}

void RecorderHooks::startCapture(CaptureMode mode, CapturedKeySink sink) {
    removeHooks();
    const HookMode hookMode =
        mode == CaptureMode::mouseEditor ? HookMode::mouseCapture : HookMode::keyboardCapture;
    const MessageId id = messagesOf(hookMode).key;
    const platform::InputStartResult started =
        hooks_->start({.keys = true, .consumeKeys = true, .buttons = false},
                      [this, id](const platform::InputEvent& e) {
                          (void)app_.postMessage(inputEventMessage(id, e));
                      });
    if (started != platform::InputStartResult::ok) {
        platform::debugOutput("key capture: no input hooks");
        return;
    }
    mode_ = hookMode;
    captureSink_ = std::move(sink);
}

platform::InputStartResult RecorderHooks::startRecording(link::DeviceKind kind,
                                                         const platform::InputRequest& request,
                                                         RecordSink sink) {
    removeHooks();
    const HookMode hookMode =
        kind == link::DeviceKind::mouse ? HookMode::mouseMacro : HookMode::keyboardMacro;
    const ModeMessages& ids = messagesOf(hookMode);
    const platform::InputStartResult started =
        hooks_->start(request, [this, ids](const platform::InputEvent& e) {
            const bool key = e.type == platform::InputEvent::Type::key;
            (void)app_.postMessage(inputEventMessage(key ? ids.key : ids.button, e));
        });
    if (started == platform::InputStartResult::ok) {
        mode_ = hookMode;
        recordSink_ = std::move(sink);
    }
    return started;
}

void RecorderHooks::removeHooks() {
    hooks_->stop();
    mode_ = HookMode::none;
    captureSink_ = nullptr;
    recordSink_ = nullptr;
}

}  // namespace quillon::keys
