// The update window's skin file builds, at its size, with every control the
// update window logic names; the dialog over it is placed beside the main
// window, stays on screen, and closes when its logic hides it.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "gui/qt_skin.h"
#include "gui/resource_index.h"
#include "gui/skin_loader.h"
#include "gui/update_dialog.h"
#include "qt_test_app.h"
#include "update/update_window_controls.h"

namespace quillon::gui {
namespace {

TEST(UpdateWindowSkin, BuildsWithEveryControlTheLogicNames) {
    test::app();
    ResourceIndex index;
    ASSERT_EQ(index.load((test::skinDir().filePath("res.xml")).toStdString()),
              ResourceIndexLoad::ok);
    const auto file = index.file("XML_FUNCTION_SET");
    ASSERT_TRUE(file);
    SkinLoader loader(test::skinDir());
    const std::unique_ptr<QWidget> root(loader.loadFile(QString::fromStdString(*file)));
    ASSERT_NE(root, nullptr) << loader.errors().join("\n").toStdString();
    EXPECT_TRUE(loader.errors().isEmpty()) << loader.errors().join("\n").toStdString();
    EXPECT_EQ(root->size(), QSize(800, 572));

    auto has = [&](std::string_view name) {
        return root->findChild<QWidget*>(QString::fromUtf8(name.data(), name.size())) != nullptr;
    };
    for (const update::ProductLineControls& line : update::kProductLines) {
        for (std::string_view name :
             {line.page, line.installedLabel, line.newestLabel, line.button, line.progressText}) {
            if (!name.empty()) {
                EXPECT_TRUE(has(name)) << name;
            }
        }
        if (!line.progressText.empty()) {
            EXPECT_TRUE(root->findChild<QWidget*>(QString::fromUtf8(line.progressText.data(),
                                                                    line.progressText.size()))
                            ->isHidden())
                << "progress shows only while an update runs";
        }
    }
    for (std::string_view name :
         {update::kWebSiteButton, update::kSocialPageButton, update::kCloseButton})
        EXPECT_TRUE(has(name)) << name;
    const auto* combo = root->findChild<QComboBox*>("lanuage_select_combo");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 10) << "a row for every stored language value";
    EXPECT_EQ(combo->itemText(*update::languageRow(0)), "English");
}

TEST(UpdateDialog, IsPlacedInsideTheMainWindowsRightEdgeAndKeptOnScreen) {
    const QRect screen(0, 0, 1920, 1080);
    // Right edge 30 px inside the owner's, top 60 px below its top.
    QPoint at = updateDialogPosition(QRect(400, 100, 800, 572), true, screen);
    EXPECT_EQ(at, QPoint(400 + 800 - 30 - 800, 160));
    // Hanging off the left or the bottom of the screen: moved back.
    at = updateDialogPosition(QRect(10, 700, 800, 572), true, screen);
    EXPECT_EQ(at, QPoint(0, 1080 - 572));
    // A hidden owner (the start-up check from the tray): centred.
    at = updateDialogPosition(QRect(400, 100, 800, 572), false, screen);
    EXPECT_EQ(at, QPoint((1920 - 800) / 2, (1080 - 572) / 2));
    // A screen smaller than the window keeps the top left (title, close) in view.
    at = updateDialogPosition(QRect(0, 0, 800, 572), true, QRect(0, 0, 640, 480));
    EXPECT_EQ(at, QPoint(0, 0));
}

TEST(UpdateDialog, ItsSkinReachesTheWindowsControlsAndHidingEndsTheModalLoop) {
    test::app();
    QtSkin main(test::skinDir());
    ASSERT_TRUE(main.build());
    UpdateDialog dialog(main);
    ASSERT_TRUE(dialog.built()) << dialog.errors().join("\n").toStdString();
    EXPECT_EQ(dialog.size(), QSize(800, 572));
    skin::Skin& skin = dialog.skin();
    ASSERT_NE(skin.find("soft_now_version"), nullptr);
    EXPECT_EQ(skin.find("setbtn"), nullptr) << "the main window's controls are not its own";

    std::vector<std::string> clicked;
    skin.setNotificationSink([&](const skin::Notification& n) {
        if (n.type == skin::NotifyType::click) {
            clicked.push_back(n.name);
            skin.windowCommand(skin::WindowCommand::hide);
        }
    });
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = skin.windowVisible();
        dialog.findChild<QPushButton*>("net_btn")->click();
    });
    dialog.runModal();  // returns because the click hid the window
    EXPECT_TRUE(shown);
    EXPECT_FALSE(skin.windowVisible());
    EXPECT_EQ(clicked, std::vector<std::string>{"net_btn"});
}

}  // namespace
}  // namespace quillon::gui
