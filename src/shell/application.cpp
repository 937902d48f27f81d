#include "shell/application.h"

#include <string>

#include "platform/debug_output.h"
#include "shell/message_window.h"
#include "shell/window_controls.h"

namespace quillon::shell {

using skin::Notification;
using skin::NotifyType;

Application::Application(skin::Skin& skin, EventLoop& loop, platform::HidBackend& hid)
    : skin_(skin),
      loop_(loop),
      keyboardLink_(hid),
      mouseLink_(hid),
      mousepadLink_(hid),
      tabs_(skin) {
    for (link::DeviceLink* l : {&keyboardLink_, &mouseLink_, &mousepadLink_})
        l->flagWatch = &linkFlags_;
    workers_.setBody(Worker::deviceJobs,
                     [this](const WorkerContext& worker) { deviceJobs_.run(worker.stop); });
    tabs_.addGuard(kMouseMacroGuard);
    tabs_.addGuard(kKeyboardMacroGuard);
    tabs_.install(notifications_);
    addWindowRoutes();
    addMessageRoutes();
    loop_.setTimerHandler([this](TimerId id) { (void)messages_.dispatchTimer(id); });
    skin_.setNotificationSink([this](const Notification& n) { notify(n); });
}

Application::~Application() {
    skin_.setNotificationSink({});
    loop_.setTimerHandler({});
    (void)shutdown();
}

link::DeviceLink& Application::link(link::DeviceKind kind) {
    switch (kind) {
        case link::DeviceKind::keyboard:
            return keyboardLink_;
        case link::DeviceKind::mouse:
            return mouseLink_;
        case link::DeviceKind::mousepad:
            return mousepadLink_;
    }
    return keyboardLink_;
}

bool Application::anyDeviceConnected() const {
    return keyboardLink_.connected != 0 || mouseLink_.connected != 0 ||
           mousepadLink_.connected != 0;
}

void Application::addStartupStep(StartupPhase phase, std::function<void()> step) {
    startupSteps_[static_cast<std::size_t>(phase)].push_back(std::move(step));
}

bool Application::postMessage(const WindowMessage& message) {
    return loop_.post([this, message] { (void)messages_.dispatch(message); });
}

bool Application::sendMessage(const WindowMessage& message, const link::StopSignal* stop) {
    return loop_.sendAndWait([this, &message] { (void)messages_.dispatch(message); }, stop);
}

void Application::notify(const Notification& notification) {
    if (echoNotifications_) {
        std::string line(skin::notifyTypeName(notification.type));
        line += ' ';
        line += notification.name;
        platform::debugOutput(line);
    }
    if (notification.type == NotifyType::windowInit) {
        windowInit();
        return;
    }
    (void)notifications_.route(notification);
}

void Application::addWindowRoutes() {
    auto command = [this](skin::WindowCommand c) {
        return [this, c](const Notification&, int) { skin_.windowCommand(c); };
    };
    notifications_.addFirst(NotifyType::click, kWindowControls.close,
                            command(skin::WindowCommand::hide));
    notifications_.addFirst(NotifyType::click, kWindowControls.minimise,
                            command(skin::WindowCommand::minimise));
    notifications_.addFirst(NotifyType::click, kWindowControls.maximise,
                            command(skin::WindowCommand::maximise));
    notifications_.addFirst(NotifyType::click, kWindowControls.restore,
                            command(skin::WindowCommand::restore));
    for (const PanelToggle& toggle : kPanelToggles) {
        notifications_.addName(NotifyType::click, toggle.button,
                               [this, panel = toggle.panel](const Notification&, int) {
                                   if (skin::Control* c = skin_.find(panel)) {
                                       c->setVisible(!c->isVisible());
                                   }
                               });
    }
}

void Application::addMessageRoutes() {
    messages_.on(MessageId::progressShow, [this](const WindowMessage&) {
        if (skin::Control* c = skin_.find(kWindowControls.progress)) {
            c->setVisible(true);
        }
    });
    messages_.on(MessageId::progressHideLater, [this](const WindowMessage&) {
        loop_.startTimer(TimerId::progressHide, kProgressHideDelay, TimerMode::once);
    });
    messages_.onTimer(TimerId::progressHide, [this] {
        loop_.stopTimer(TimerId::progressHide);
        if (skin::Control* c = skin_.find(kWindowControls.progress)) {
            c->setVisible(false);
        }
    });
    messages_.onTimer(TimerId::relayout, [this] {
        loop_.stopTimer(TimerId::relayout);
        skin_.windowCommand(skin::WindowCommand::relayout);
    });
    // The mouse event thread starts these; repeated events within 50 ms
    // restart the timer, so a burst leads to one re-read.
    messages_.onTimer(TimerId::mouseSettingsReread, [this] {
        (void)messages_.dispatch({MessageId::mouseSettingsReread, 0, 0});
    });
    messages_.onTimer(TimerId::mouseStateReread, [this] {
        (void)messages_.dispatch({MessageId::mouseStateReread, 0, 0});
    });
    messages_.on(MessageId::languageReload, [this](const WindowMessage&) {
        skin_.reloadTexts();
        skin_.windowCommand(skin::WindowCommand::relayout);
    });
    messages_.on(MessageId::powerBroadcast, [this](const WindowMessage& m) {
        if (m.wParam == kPowerSuspend) {
            outputEnabled = false;
            events_.publish(PowerChanged{PowerState::suspending});
        } else if (m.wParam == kPowerResume) {
            outputEnabled = true;
            events_.publish(PowerChanged{PowerState::resumed});
        }
    });
    messages_.on(MessageId::activation, [this](const WindowMessage& m) {
        const bool active = m.wParam != 0;
        platform::debugOutput(active ? "窗口激活" : "窗口失去激活");
        events_.publish(ActivationChanged{active});
    });
    messages_.on(MessageId::activateInstance, [this](const WindowMessage&) {
        if (anyDeviceConnected()) {
            skin_.windowCommand(skin::WindowCommand::restore);
            skin_.windowCommand(skin::WindowCommand::bringToFront);
        } else {
            skin_.windowCommand(skin::WindowCommand::hide);
            showNoDeviceMessage();
        }
    });
    messages_.on(MessageId::destroy, [this](const WindowMessage&) { (void)shutdown(); });
}

void Application::showNoDeviceMessage() {
    if (noDeviceMessageOpen_) {
        return;
    }
    noDeviceMessageOpen_ = true;
    (void)showMessage(skin_, "message_text_1");
    noDeviceMessageOpen_ = false;
}

void Application::windowInit() {
    if (initialised_) {
        return;
    }
    initialised_ = true;
    auto run = [this](StartupPhase phase) {
        for (const auto& step : startupSteps_[static_cast<std::size_t>(phase)]) {
            step();
        }
    };
    run(StartupPhase::beforeLinks);
    skin_.windowCommand(skin::WindowCommand::hide);
    keyboardLink_.setMatch(link::DeviceKind::keyboard);
    mouseLink_.setMatch(link::DeviceKind::mouse);
    mousepadLink_.setMatch(link::DeviceKind::mousepad);
    run(StartupPhase::beforeWorkers);
    workers_.start([this] {
        loop_.startTimer(TimerId::settingsFlush, kSettingsFlushInterval, TimerMode::repeating);
    });
    run(StartupPhase::afterWorkers);
}

StopReport Application::shutdown() {
    if (shutDown_) {
        return {};
    }
    shutDown_ = true;
    platform::debugOutput("退出测试");
    skin_.windowCommand(skin::WindowCommand::hide);
    loop_.stopTimer(TimerId::settingsFlush);
    // One bounded wait: a worker that ignores its stop is let go, and the
    // owner of what it uses must then not destroy that (see WorkerSet).
    return workers_.started() ? workers_.stop(kShutdownWait, 1) : StopReport{};
}

}  // namespace quillon::shell
