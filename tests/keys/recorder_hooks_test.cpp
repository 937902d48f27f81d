// The program's input hooks: what reaches the key capture and the recording,
// and that the hooks go when the window is deactivated or the page changes.

#include "keys/recorder_hooks.h"

#include <gtest/gtest.h>

#include "emu/virtual_bus.h"
#include "shell/queue_event_loop.h"
#include "skin/memory_skin.h"

namespace quillon::keys {
namespace {

struct HooksHeldHere final : platform::InputHooks {
    platform::InputSink sink;
    platform::InputRequest request;
    int stops = 0;
    platform::InputStartResult start(const platform::InputRequest& r,
                                     platform::InputSink s) override {
        request = r;
        sink = std::move(s);
        return platform::InputStartResult::ok;
    }
    void stop() override {
        sink = nullptr;
        ++stops;
    }
    bool running() const override { return sink != nullptr; }
    std::string_view backendName() const override { return "test"; }
};

platform::InputEvent keyEvent(std::uint16_t vk, bool pressed) {
    platform::InputEvent e;
    e.virtualKey = vk;
    e.pressed = pressed;
    e.extended = vk == 0x101;
    e.timeMs = 1234;
    return e;
}

struct RecorderHooksRig : ::testing::Test {
    emu::VirtualBus bus;
    shell::QueueEventLoop loop;
    skin::MemorySkin skin;
    shell::Application app{skin, loop, bus};
    HooksHeldHere* backend = new HooksHeldHere;
    RecorderHooks hooks{app, std::unique_ptr<platform::InputHooks>(backend)};

    void SetUp() override { hooks.install(); }
};

TEST_F(RecorderHooksRig, CaptureHearsKeyPressesOnTheGuiThreadUntilTheWindowIsLeft) {
    std::vector<std::pair<std::uint16_t, std::uint32_t>> captured;
    hooks.startCapture(CaptureMode::mouseEditor, [&](std::uint16_t vk, std::uint32_t flags) {
        captured.push_back({vk, flags});
    });
    EXPECT_TRUE(backend->request.keys && backend->request.consumeKeys);
    EXPECT_FALSE(backend->request.buttons);
    backend->sink(keyEvent(0x41, true));
    backend->sink(keyEvent(0x41, false));  // releases are not captures
    backend->sink(keyEvent(0x101, true));
    EXPECT_TRUE(captured.empty()) << "nothing runs on the backend's thread";
    loop.runPending();
    EXPECT_EQ(captured,
              (std::vector<std::pair<std::uint16_t, std::uint32_t>>{{0x41, 0}, {0x101, 1}}));

    auto late = backend->sink;
    (void)app.postMessage({shell::MessageId::activation, 0});
    loop.runPending();
    EXPECT_FALSE(backend->running());
    EXPECT_EQ(hooks.mode(), HookMode::none);
    late(keyEvent(0x42, true));  // a key the backend had queued before it stopped
    loop.runPending();
    EXPECT_EQ(captured.size(), 2u);
}

TEST_F(RecorderHooksRig, RecordingGetsKeysAndButtonsAndStopsBeforeAPageChange) {
    std::vector<platform::InputEvent> recorded;
    ASSERT_EQ(hooks.startRecording(link::DeviceKind::keyboard,
                                   {.keys = true, .consumeKeys = true, .buttons = true},
                                   [&](const platform::InputEvent& e) { recorded.push_back(e); }),
              platform::InputStartResult::ok);
    EXPECT_EQ(hooks.mode(), HookMode::keyboardMacro);
    platform::InputEvent click;
    click.type = platform::InputEvent::Type::button;
    click.button = platform::InputButton::right;
    click.pressed = true;
    click.timeMs = 77;
    backend->sink(keyEvent(0x41, true));
    backend->sink(click);
    loop.runPending();
    ASSERT_EQ(recorded.size(), 2u);
    EXPECT_EQ(recorded[0].virtualKey, 0x41);
    EXPECT_EQ(recorded[0].timeMs, 1234u);
    EXPECT_EQ(recorded[1].type, platform::InputEvent::Type::button);
    EXPECT_EQ(recorded[1].button, platform::InputButton::right);
    EXPECT_EQ(recorded[1].timeMs, 77u);

    skin.userCheck("kb_key_Op_tab", true);  // the tab navigation changes the page
    EXPECT_FALSE(backend->running());
    EXPECT_EQ(hooks.mode(), HookMode::none);
}

}  // namespace
}  // namespace quillon::keys
