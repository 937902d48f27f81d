#include "shell/application.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "shell/queue_event_loop.h"
#include "skin/memory_skin.h"

namespace quillon::shell {
namespace {

using namespace std::chrono_literals;
using skin::NotifyType;
using skin::WindowCommand;

// No devices at all: the shell's own behaviour needs none.
class NoHid final : public platform::HidBackend {
  public:
    bool enumerate(std::vector<platform::HidInterface>& interfaces) override {
        interfaces.clear();
        return true;
    }
    std::unique_ptr<platform::HidConnection> open(const platform::HidInterface&,
                                                  platform::HidOpenFlags) override {
        return nullptr;
    }
    bool probe(const platform::HidInterface&) override { return false; }
};

class App : public ::testing::Test {
  protected:
    App() : loop([this] { return now; }), app(skin, loop, hid) {}

    void advance(std::chrono::milliseconds d) {
        now += d;
        loop.runPending();
    }
    void init() { skin.raise({NotifyType::windowInit, ""}); }

    QueueEventLoop::Clock::time_point now{};
    skin::MemorySkin skin;
    NoHid hid;
    QueueEventLoop loop;
    Application app;
};

TEST_F(App, WindowInitRunsStepsSetsMatchFieldsAndStartsWorkersAroundTheFlushTimer) {
    std::vector<std::string> order;
    app.addStartupStep(StartupPhase::afterWorkers, [&] { order.push_back("language"); });
    app.addStartupStep(StartupPhase::beforeLinks, [&] {
        order.push_back("profiles");
        EXPECT_EQ(app.link(link::DeviceKind::mouse).matchProductId, 0);
    });
    app.addStartupStep(StartupPhase::beforeWorkers, [&] {
        order.push_back("main.ini");
        EXPECT_FALSE(loop.timerActive(TimerId::settingsFlush));
    });
    app.workers().setBody(Worker::syncLighting,
                          [&](const WorkerContext& ctx) { (void)ctx.stop.waitFor(10s); });
    skin.windowCommand(WindowCommand::show);
    init();
    init();  // a second "windowinit" changes nothing
    EXPECT_EQ(order, (std::vector<std::string>{"profiles", "main.ini", "language"}));
    EXPECT_FALSE(skin.windowVisible());
    EXPECT_EQ(app.link(link::DeviceKind::keyboard).matchProductId, 0x8611);
    EXPECT_EQ(app.link(link::DeviceKind::mouse).matchProductId, 0x5523);
    EXPECT_EQ(app.link(link::DeviceKind::mousepad).matchProductId, 0x5104);
    EXPECT_EQ(app.link(link::DeviceKind::mousepad).matchUsagePage, 0xFF1C);
    EXPECT_EQ(app.link(link::DeviceKind::mousepad).matchUsage, 0x0092);
    EXPECT_TRUE(loop.timerActive(TimerId::settingsFlush));
    EXPECT_TRUE(app.workers().running(Worker::syncLighting));
    const StopReport report = app.shutdown();
    EXPECT_EQ(report.stillRunning, 0u);
    EXPECT_FALSE(loop.timerActive(TimerId::settingsFlush));
}

TEST_F(App, ShutdownEndsAWorkerThatIsWaitingForTheGuiThread) {
    // The GUI thread is busy shutting down and does not pump: a worker sending
    // a message at that moment must not keep shutdown waiting.
    std::atomic<int> sends{0};
    std::atomic<bool> sending{false};
    app.workers().setBody(Worker::keyboardAttach, [&](const WorkerContext& ctx) {
        while (!ctx.stop.requested()) {
            sending = true;
            (void)app.sendMessage({MessageId::keyboardStateReread}, &ctx.stop);
            ++sends;
        }
    });
    init();
    while (!sending) {
        std::this_thread::sleep_for(1ms);
    }
    std::this_thread::sleep_for(20ms);  // let it block in the send
    const auto before = std::chrono::steady_clock::now();
    const StopReport report = app.shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
    EXPECT_EQ(report.stillRunning, 0u);
    EXPECT_GE(sends, 1);
}

TEST_F(App, TheFlushTimerRunsItsHandlerOncePerSecond) {
    int flushes = 0;
    std::atomic<bool> mouseDirty{false};  // what the lighting settings mark
    app.messages().onTimer(TimerId::settingsFlush, [&] {
        if (mouseDirty.exchange(false)) {
            ++flushes;
        }
    });
    init();
    // A slider dragged for three seconds marks the record dirty every 10 ms.
    for (int t = 0; t < 300; ++t) {
        mouseDirty = true;
        advance(10ms);
    }
    EXPECT_LE(flushes, 3);
    EXPECT_GE(flushes, 2);
}

TEST_F(App, TwoMouseEventsWithin50msLeadToOneSettingsReread) {
    int rereads = 0;
    app.messages().on(MessageId::mouseSettingsReread, [&](const WindowMessage&) { ++rereads; });
    std::thread events([&] {
        loop.startTimer(TimerId::mouseSettingsReread, kMouseRereadDelay, TimerMode::once);
        loop.startTimer(TimerId::mouseSettingsReread, kMouseRereadDelay, TimerMode::once);
    });
    events.join();
    advance(20ms);
    EXPECT_EQ(rereads, 0);
    advance(40ms);
    advance(200ms);
    EXPECT_EQ(rereads, 1);
}

TEST_F(App, ProgressIndicatorShowsAndHidesASecondAfterTheSecondMessage) {
    skin.at("setting_progress").setVisible(false);
    ASSERT_TRUE(app.postMessage({MessageId::progressShow}));
    loop.runPending();
    EXPECT_TRUE(skin.at("setting_progress").isVisible());
    ASSERT_TRUE(app.postMessage({MessageId::progressHideLater}));
    loop.runPending();
    advance(999ms);
    EXPECT_TRUE(skin.at("setting_progress").isVisible());
    advance(1ms);
    EXPECT_FALSE(skin.at("setting_progress").isVisible());
}

TEST_F(App, CloseButtonOnlyHidesAndPanelButtonsToggle) {
    skin.windowCommand(WindowCommand::show);
    skin.userClick("closebtn");
    EXPECT_FALSE(skin.windowVisible());
    skin.userClick("minbtn");
    EXPECT_EQ(skin.windowCommands().back(), WindowCommand::minimise);
    ASSERT_TRUE(skin.at("kb_key_profile_edit").isVisible());
    skin.userClick("kb_pro_key_edit_btn");
    EXPECT_FALSE(skin.at("kb_key_profile_edit").isVisible());
    skin.userClick("KB_PRO_KEY_EDIT_BTN");
    EXPECT_TRUE(skin.at("kb_key_profile_edit").isVisible());
}

TEST_F(App, AnotherInstanceWithNoDeviceGetsTheNoDeviceMessage) {
    ASSERT_TRUE(app.postMessage({MessageId::activateInstance}));
    loop.runPending();
    ASSERT_EQ(skin.messages().size(), 1u);
    EXPECT_EQ(skin.messages()[0].key, "message_text_1");
    EXPECT_FALSE(skin.windowVisible());
}

TEST_F(App, TheNoDeviceMessageIsNotStackedWhileItIsOpen) {
    int nested = 0;
    skin.setWhileMessageOpen([&](const skin::ShownMessage&) {
        if (nested++ == 0) {
            app.showNoDeviceMessage();  // a tray click while the message is open
            (void)app.messages().dispatch({MessageId::activateInstance});
        }
    });
    app.showNoDeviceMessage();
    EXPECT_EQ(skin.messages().size(), 1u);
    app.showNoDeviceMessage();  // closed again: the next one shows
    EXPECT_EQ(skin.messages().size(), 2u);
}

TEST_F(App, AnotherInstanceWithADeviceBringsTheWindowToTheFront) {
    app.link(link::DeviceKind::mousepad).connected = 1;
    ASSERT_TRUE(app.postMessage({MessageId::activateInstance}));
    loop.runPending();
    EXPECT_TRUE(skin.messages().empty());
    EXPECT_TRUE(skin.windowVisible());
    EXPECT_EQ(skin.windowCommands().back(), WindowCommand::bringToFront);
}

TEST_F(App, SuspendStopsFrameOutputAndResumeRestoresIt) {
    ASSERT_TRUE(app.postMessage({MessageId::powerBroadcast, kPowerSuspend}));
    loop.runPending();
    EXPECT_FALSE(app.outputEnabled);
    ASSERT_TRUE(app.postMessage({MessageId::powerBroadcast, 7}));
    loop.runPending();
    EXPECT_FALSE(app.outputEnabled);
    ASSERT_TRUE(app.postMessage({MessageId::powerBroadcast, kPowerResume}));
    loop.runPending();
    EXPECT_TRUE(app.outputEnabled);
}

TEST_F(App, LanguageReloadMessageReloadsEveryTextKey) {
    ASSERT_EQ(skin.loadLanguageText(R"(<language code="en"><text key="k">One</text></language>)"),
              skin::LanguageLoad::ok);
    skin.at("label").setTextKey("k");
    ASSERT_EQ(skin.loadLanguageText(R"(<language code="de"><text key="k">Eins</text></language>)"),
              skin::LanguageLoad::ok);
    ASSERT_TRUE(app.postMessage({MessageId::languageReload}));
    loop.runPending();
    EXPECT_EQ(skin.at("label").text(), "Eins");
}

}  // namespace
}  // namespace quillon::shell
