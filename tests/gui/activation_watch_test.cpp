// The main window's activation reaches the modules as ActivationChanged,
// once per change.

#include "gui/activation_watch.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <vector>

#include "emu/virtual_bus.h"
#include "qt_test_app.h"
#include "shell/application.h"
#include "shell/queue_event_loop.h"
#include "shell/shell_events.h"
#include "skin/memory_skin.h"

namespace quillon::gui {
namespace {

TEST(ActivationWatch, PublishesEachChangeOfTheMainWindowsActivationOnce) {
    test::app();
    skin::MemorySkin skin;
    shell::QueueEventLoop loop;
    emu::VirtualBus bus;
    shell::Application application(skin, loop, bus);
    std::vector<bool> published;
    application.events().subscribe<shell::ActivationChanged>(
        [&](const shell::ActivationChanged& e) { published.push_back(e.active); });

    QWidget main;
    QWidget other;
    new ActivationWatch(main, [&](bool active) {
        (void)application.messages().dispatch({shell::MessageId::activation, active ? 1u : 0u, 0});
    });
    auto activate = [](QWidget& window) {
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    };
    activate(main);
    activate(main);  // no change
    activate(other);
    activate(main);
    EXPECT_EQ(published, (std::vector<bool>{true, false, true}));
    (void)application.shutdown();
}

}  // namespace
}  // namespace quillon::gui
