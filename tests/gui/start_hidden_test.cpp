// Started from the autostart entry (--hidden): devices found at log-on do not
// open the window, the user's own request does.

#include "gui/start_hidden.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "qt_test_app.h"

namespace quillon::gui {
namespace {

TEST(StartHidden, AShowDuringTheStartUpPassIsUndoneAndALaterOneStays) {
    test::app();
    QWidget window;
    auto* hold = new StartHidden(window, 1000);  // owned by the window
    window.show();                               // a device found at start
    QTest::qWait(50);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(hold->holding());

    QTest::qWait(1100);
    EXPECT_FALSE(hold->holding());
    window.show();  // a device plugged in later
    QTest::qWait(50);
    EXPECT_TRUE(window.isVisible());
}

TEST(StartHidden, AskingForTheWindowRightAfterAShowKeepsItOpen) {
    test::app();
    QWidget window;
    auto* hold = new StartHidden(window, 60000);
    // The tray click shows the window, then ends the hold before the undo runs.
    window.show();
    hold->release();
    QTest::qWait(50);
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace quillon::gui
