// quillon-gaming: the desktop program. One instance per session; it lives in
// the tray and shows its window when a device arrives or the user asks.
//
//   quillon-gaming [--demo [PRODUCTS]] [--hidden] [--verbose]
//
// --demo plugs in emulated devices instead of using the real ones: the
// products named (e.g. keyboard-onecolour,mouse-2), or an RGB keyboard, a
// mouse and the mousepad. --hidden (the autostart entry's flag) keeps the
// window hidden at start. --verbose (or QUILLON_DEBUG=1 in the environment)
// echoes every control event to the debug output.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "app/program_services.h"
#include "emu/demo_devices.h"
#include "emu/product_description.h"
#include "emu/virtual_bus.h"
#include "gui/activation_watch.h"
#include "gui/device_picture.h"
#include "gui/device_pictures.h"
#include "gui/kwin_foreground.h"
#include "gui/popup_panel.h"
#include "gui/qt_event_loop.h"
#include "gui/qt_skin.h"
#include "gui/screenshot_tour.h"
#include "gui/single_instance.h"
#include "gui/skin_frame.h"
#include "gui/sleep_watch.h"
#include "gui/start_hidden.h"
#include "gui/termination_signals.h"
#include "gui/tray_icon.h"
#include "gui/update_dialog.h"
#include "platform/autostart_entry.h"
#include "platform/debug_output.h"
#include "platform/hid/linux/hidraw_backend.h"
#include "platform/pointer/desktop_pointer_settings.h"
#include "platform/user_folders.h"
#include "shell/application.h"
#include "shell/timer_ids.h"
#include "shell/window_message.h"

namespace {

using namespace quillon;

// The skin folder: the first program data folder that holds a skin index
// (else the preferred one, which the error then names).
QDir findSkinFolder() {
    const platform::LinuxUserFolders folders;
    const auto candidates = folders.programDataFolders();
    for (const auto& folder : candidates) {
        const QDir skin(QString::fromStdString((folder / "skin").string()));
        if (skin.exists("res.xml")) {
            return skin;
        }
    }
    const auto preferred =
        candidates.empty() ? std::filesystem::path("skin") : candidates.front() / "skin";
    return QDir(QString::fromStdString(preferred.string()));
}

// The profile strips' action panels and the buttons that open them.
constexpr std::pair<const char*, const char*> kProfilePanels[] = {
    {"kb_profile_fun_spread_btn", "kb_profile_fun_spead_tab"},
    {"ms_profile_fun_spread_btn", "ms_profile_fun_spead_tab"},
    {"mp_profile_fun_spread_btn", "mp_profile_fun_spead_tab"},
};

// The update window over the Qt skin; the rest of the desktop services is
// filled in by run().
app::DesktopServices updateFrontEnd(gui::QtSkin& skin) {
    app::DesktopServices front;
    front.makeUpdateWindow = [&skin]() -> std::unique_ptr<update::UpdateWindowShell> {
        auto dialog = std::make_unique<gui::UpdateDialog>(skin);
        if (!dialog->built()) {
            platform::debugOutput("update window: " + dialog->errors().join("; ").toStdString());
            return nullptr;
        }
        return dialog;
    };
    return front;
}

struct RunOptions {
    bool demo = false;
    bool verbose = false;
    bool hidden = false;
    std::vector<emu::DemoProduct> demoProducts;
    QString screenshots;
};

// `onTerminate` is what SIGTERM and SIGINT do; run() sets it to the tray's exit.
int run(QApplication& app, gui::SingleInstance& instance, const RunOptions& options,
        std::function<void()>& onTerminate) {
    gui::QtSkin skin(findSkinFolder());
    if (!skin.build()) {
        std::fprintf(stderr, "quillon-gaming: the skin could not be built:\n%s\n",
                     qPrintable(skin.errors().join('\n')));
        return 1;
    }
    for (const QString& problem : skin.errors()) {
        platform::debugOutput(problem.toStdString());
    }
    if (!skin.loadListedLanguage("en")) {
        platform::debugOutput("language list or English texts missing");
    }
    skin.reloadTexts();

    std::unique_ptr<emu::VirtualBus> bus;
    std::unique_ptr<platform::HidBackend> hidraw;
    platform::HidBackend* backend = nullptr;
    if (options.demo) {
        bus = std::make_unique<emu::VirtualBus>();
        emu::attachDemoDevices(*bus, options.demoProducts);
        backend = bus.get();
    } else {
        hidraw = platform::makeHidrawBackend();
        backend = hidraw.get();
    }

    gui::QtEventLoop loop;
    shell::Application application(skin, loop, *backend);
    application.setEchoNotifications(options.verbose);
    const platform::LinuxUserFolders userFolders;
    // The tray's exit path; set once the tray exists.
    std::function<void()> quitProgram;
    std::unique_ptr<gui::SkinFrame> skinFrame;
    prefs::PrefsFrontEnd prefsFrontEnd;
    if (const auto config = userFolders.configFolder(); !config.empty()) {
        prefsFrontEnd.autostart = std::make_shared<platform::XdgAutostartEntry>(
            config, QCoreApplication::applicationFilePath().toStdString());
    }
    prefsFrontEnd.makeSkinWindow = [&skin]() -> std::unique_ptr<prefs::SkinWindowShell> {
        return gui::SkinFrame::make(skin);
    };
    prefsFrontEnd.applyFont = [&skin](prefs::FontTarget target, prefs::FontChoice font) {
        // The settings window is the update window's, which sets its own.
        if (target != prefs::FontTarget::mainWindow || skin.mainWindow() == nullptr) {
            return;
        }
        skin.mainWindow()->setFont(QFont(
            QString::fromUtf8(font.family.data(), qsizetype(font.family.size())), font.pointSize));
    };
    prefsFrontEnd.exitProgram = [&quitProgram] {
        if (quitProgram) {
            quitProgram();
        }
    };
    platform::SpawnedDesktopTool desktopTool;
    platform::DesktopPointerSettings desktop(platform::currentDesktopKind(), desktopTool);
    // On KDE's Wayland session KWin tells the program in front; elsewhere
    // the core picks the desktop's own way.
    std::unique_ptr<gui::KWinForegroundProgram> kwinForeground;
    if (gui::KWinForegroundProgram::sessionNeedsKWin()) {
        kwinForeground = std::make_unique<gui::KWinForegroundProgram>();
    }
    app::DesktopServices desktopServices = updateFrontEnd(skin);
    if (kwinForeground != nullptr && kwinForeground->available()) {
        desktopServices.foreground = kwinForeground.get();
    }
    // Emulated devices leave the desktop's own settings alone.
    desktopServices.pointer = options.demo ? nullptr : &desktop;
    desktopServices.prefs = std::move(prefsFrontEnd);
    app::ProgramServices services(application, *backend, userFolders, std::move(desktopServices));

    gui::MainFrame* frame = skin.mainWindow();
    // Owned by the window.
    QPointer<gui::StartHidden> startHidden =
        options.hidden ? new gui::StartHidden(*frame) : nullptr;
    const QIcon icon(skin.skinDir().filePath("icons/logo.svg"));
    frame->setWindowIcon(icon);
    app.setWindowIcon(icon);

    const link::DeviceIdentity& identity = services.identity();
    (void)gui::attachDevicePictures(
        skin, {services.lightingEngine().mirrors.keyboard, services.lightingEngine().mirrors.mouse,
               services.lightingEngine().mirrors.mousepad, [&identity] {
                   return static_cast<int>(link::variantByte(identity.keyboardVariant.load()));
               }});

    for (const auto& [button, panel] : kProfilePanels) {
        gui::QtControl* opener = skin.control(button);
        gui::QtControl* popup = skin.control(panel);
        if (opener != nullptr && popup != nullptr && popup->widget() != nullptr) {
            new gui::PopupPanel(popup->widget(), opener->widget(), frame);
        }
    }

    // A change of the display scaling reaches the core as the DPI message.
    if (QScreen* screen = frame->screen(); screen != nullptr) {
        QObject::connect(
            screen, &QScreen::logicalDotsPerInchChanged, frame, [&application](qreal dpi) {
                (void)application.postMessage({shell::MessageId::dpiChanged,
                                               static_cast<std::uint64_t>(std::lround(dpi)), 0});
            });
    }

    // Without a tray nothing could bring a hidden window back: it stays on
    // screen (minimised at most) and says so once.
    const bool trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    frame->setTrayAvailable(trayAvailable);
    frame->onFirstConcealWithoutTray = [&skin] {
        QTimer::singleShot(0, [&skin] { (void)skin.showMessage("no_tray_text"); });
    };

    bool quitting = false;
    bool workersLetGo = false;
    gui::TrayIcon* trayPtr = nullptr;
    auto quit = [&] {
        if (quitting) {
            return;
        }
        quitting = true;
        if (trayPtr != nullptr) {
            trayPtr->hide();
        }
        frame->hide();
        workersLetGo = services.stop().stillRunning > 0;
        loop.end();
        frame->allowClose();
        app.quit();
    };

    quitProgram = quit;
    gui::TrayIcon tray(icon, [&application](std::int64_t mouseMessage) {
        (void)application.messages().dispatch({shell::MessageId::trayNotify, 0, mouseMessage});
    });
    trayPtr = &tray;
    tray.show();
    QObject::connect(&tray.icon(), &QSystemTrayIcon::activated, &app, [&] {
        if (startHidden != nullptr) {
            startHidden->release();
        }
    });

    gui::SleepWatch sleep([&](bool suspending) {
        (void)application.postMessage({shell::MessageId::powerBroadcast,
                                       suspending ? shell::kPowerSuspend : shell::kPowerResume, 0});
    });

    new gui::ActivationWatch(*frame, [&application](bool active) {
        (void)application.messages().dispatch({shell::MessageId::activation, active ? 1u : 0u, 0});
    });

    QObject::connect(&instance, &gui::SingleInstance::activationRequested, &app, [&] {
        if (startHidden != nullptr) {
            startHidden->release();
        }
        (void)application.messages().dispatch({shell::MessageId::activateInstance, 0, 0});
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&] { quit(); });
    onTerminate = [&] { quit(); };

    skin.announceWindowInit();
    if (!trayAvailable) {
        frame->present();  // "windowinit" minimised it
    }
    int status = 0;
    if (!options.screenshots.isEmpty()) {
        constexpr int kSettleMs = 2500;  // the attach polls find the devices within this
        gui::TourHooks hooks;
        if (bus != nullptr) {
            hooks.plugKeyboard = [&bus](int variant) {
                const link::Product* product =
                    emu::catalogueProduct(link::DeviceKind::keyboard, std::uint8_t(variant));
                if (product == nullptr) {
                    return false;
                }
                for (const auto& device : bus->devices()) {
                    if (device->product().kind == link::DeviceKind::keyboard) {
                        bus->unplug(*device);
                    }
                }
                return bus->plug(*product) != nullptr;
            };
        }
        hooks.done = [&](bool ok) {
            status = ok ? 0 : 1;
            quit();
        };
        gui::startScreenshotTour(skin, options.screenshots, kSettleMs, std::move(hooks));
    }
    const int loopStatus = app.exec();
    onTerminate = nullptr;  // it names this function's locals
    const int exitStatus = status != 0 ? status : loopStatus;
    if (workersLetGo) {
        // A worker that ignored its stop may still use the links and the
        // modules: end without destroying them.
        std::fflush(nullptr);
        std::quick_exit(exitStatus);
    }
    return exitStatus;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("quillon-gaming");
    QApplication::setApplicationDisplayName("Quillon Gaming Software");
    QApplication::setApplicationVersion(QUILLON_VERSION);
    // The installed desktop entry: Wayland compositors match the window to it.
    QApplication::setDesktopFileName("quillon-gaming");
    // Closing or hiding windows never ends the program; the tray's exit does.
    QApplication::setQuitOnLastWindowClosed(false);

    // SIGTERM (the session ending, systemd) and SIGINT (Ctrl+C) take the
    // tray's exit path. Caught from the start: the event loop hands them on
    // once the program runs, and until then nothing is half-written.
    std::function<void()> onTerminate;
    const gui::TerminationSignals termination([&onTerminate] {
        if (onTerminate) {
            onTerminate();
        } else {
            QCoreApplication::exit(0);
        }
    });

    QCommandLineParser options;
    options.setApplicationDescription("Configures Quillon keyboards, mice and mousepads.");
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption demo("demo", "Use emulated devices instead of the real ones.");
    options.addOption(demo);
    options.addPositionalArgument(
        "products",
        QString::fromStdString("With --demo: the emulated products to plug, comma-separated (" +
                               emu::demoProductNames() + ")."),
        "[products]");
    const QCommandLineOption hidden(
        "hidden", "Start in the tray without showing the window for the devices plugged in.");
    options.addOption(hidden);
    QCommandLineOption screenshots(
        "screenshots", "Save pictures of the windows into <folder>, then end.", "folder");
    screenshots.setFlags(QCommandLineOption::HiddenFromHelp);
    options.addOption(screenshots);
    const QCommandLineOption verbose("verbose", "Echo every control event to the debug output.");
    options.addOption(verbose);
    options.process(app);

    std::vector<emu::DemoProduct> demoProducts(emu::kDefaultDemoProducts.begin(),
                                               emu::kDefaultDemoProducts.end());
    if (const QStringList named = options.positionalArguments(); !named.isEmpty()) {
        if (!options.isSet(demo) || named.size() > 1) {
            std::fprintf(stderr, "quillon-gaming: unexpected argument '%s' (see --help)\n",
                         qPrintable(named.back()));
            return 2;
        }
        const emu::DemoList list = emu::parseDemoList(named.front().toStdString());
        if (list.error != emu::DemoListError::none) {
            std::fprintf(stderr, "quillon-gaming: --demo: %s\n",
                         emu::describeProblem(list).c_str());
            return 2;
        }
        demoProducts = list.products;
    }

    gui::SingleInstance instance;
    switch (instance.start()) {
        case gui::SingleInstance::Role::second:
            // The first instance comes to the front (or says that no device is
            // attached); this one ends without a window.
            if (!instance.activateFirst()) {
                std::fprintf(stderr, "quillon-gaming: already running, but %s\n",
                             qPrintable(instance.failureReason()));
                return 1;
            }
            return 0;
        case gui::SingleInstance::Role::failed:
            // The program still runs, only without the guard; say why.
            std::fprintf(stderr, "quillon-gaming: running without the single-instance guard: %s\n",
                         qPrintable(instance.failureReason()));
            break;
        case gui::SingleInstance::Role::first:
            break;
    }
    RunOptions chosen;
    chosen.demo = options.isSet(demo);
    chosen.verbose = options.isSet(verbose) || qEnvironmentVariableIntValue("QUILLON_DEBUG") != 0;
    chosen.hidden = options.isSet(hidden);
    chosen.demoProducts = std::move(demoProducts);
    chosen.screenshots = options.value(screenshots);
    return run(app, instance, chosen, onTerminate);
}
