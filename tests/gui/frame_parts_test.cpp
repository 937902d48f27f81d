// The parts of the frame around the views: the tray icon's clicks and menu,
// the pictures that follow the lighting mirror and the file dialog filters.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "gui/caption_drag.h"
#include "gui/popup_panel.h"
#include "gui/qt_skin.h"
#include "gui/tray_icon.h"
#include "qt_test_app.h"

namespace quillon::gui {
namespace {

class FrameParts : public ::testing::Test {
  protected:
    void SetUp() override {
        test::app();
        skin_ = std::make_unique<QtSkin>(test::skinDir());
        ASSERT_TRUE(skin_->build());
        ASSERT_TRUE(
            skin_->loadLanguage("en", test::skinDir().filePath("lan_en.xml").toStdString()));
    }
    std::unique_ptr<QtSkin> skin_;
};

TEST_F(FrameParts, TrayClicksReachTheCoreAsTheirMouseMessages) {
    std::vector<std::int64_t> sent;
    TrayIcon tray(QIcon(), [&sent](std::int64_t message) { sent.push_back(message); });
    EXPECT_EQ(tray.icon().toolTip(), "Quillon Gaming Software 3.0");
    Q_EMIT tray.icon().activated(QSystemTrayIcon::Trigger);
    Q_EMIT tray.icon().activated(QSystemTrayIcon::Context);
    Q_EMIT tray.icon().activated(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(sent, (std::vector<std::int64_t>{0x0202, 0x0205}));
}

TEST_F(FrameParts, ClosingTheWindowOnlyHidesIt) {
    MainFrame* frame = skin_->mainWindow();
    frame->show();
    EXPECT_FALSE(frame->close()) << "the window system's close is refused";
    EXPECT_FALSE(frame->isVisible());
    frame->show();
    frame->allowClose();
    EXPECT_TRUE(frame->close()) << "at exit the window really closes";
}

TEST_F(FrameParts, TheWindowIsCentredAndOfFixedSize) {
    MainFrame* frame = skin_->mainWindow();
    EXPECT_EQ(frame->minimumSize(), QSize(800, 572));
    EXPECT_EQ(frame->maximumSize(), QSize(800, 572));
    const QRect screen = frame->screen()->availableGeometry();
    EXPECT_LE(std::abs(frame->geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(frame->geometry().center().y() - screen.center().y()), 1);
}

TEST_F(FrameParts, AddedMenuItemsFollowTheFirstItemWithTheirTranslatedTexts) {
    const skin::MenuItem added[] = {{"exit", "exit"}, {"ON_or_OFF", "startup_on"}};
    QMenu menu;
    ASSERT_TRUE(skin_->buildMenu("menu.xml", menu, added));
    const QList<QAction*> items = menu.actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items[1]->objectName(), "exit");
    EXPECT_EQ(items[2]->objectName(), "ON_or_OFF");
    EXPECT_EQ(items[2]->text().toStdString(), skin_->translate("startup_on"));
    EXPECT_GE(menu.minimumWidth(), 215);
    // A missing menu file still offers the program's own items.
    QMenu bare;
    EXPECT_FALSE(skin_->buildMenu("nosuch.xml", bare, added));
    EXPECT_EQ(bare.actions().size(), 2);
}

TEST_F(FrameParts, WithoutATrayTheWindowMinimisesInsteadOfHidingAndSaysWhyOnce) {
    MainFrame* frame = skin_->mainWindow();
    frame->setTrayAvailable(false);
    int told = 0;
    frame->onFirstConcealWithoutTray = [&told] { ++told; };
    frame->show();
    frame->close();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->isMinimized());
    frame->showNormal();
    skin_->windowCommand(skin::WindowCommand::hide);  // the close button, a device leaving
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(told, 1);
    // A device arriving shows the window for real: a minimised one paints no
    // device pictures.
    skin_->windowCommand(skin::WindowCommand::show);
    EXPECT_FALSE(frame->isMinimized());
}

TEST_F(FrameParts, ProfilePanelClosesOnEscAndOnAClickOutsideButNotOnItsButton) {
    QWidget window;
    window.resize(300, 200);
    auto* panel = new QWidget(&window);
    panel->setGeometry(0, 0, 100, 100);
    auto* button = new QPushButton("=", &window);
    button->setGeometry(200, 0, 30, 30);
    auto* elsewhere = new QPushButton("x", &window);
    elsewhere->setGeometry(200, 100, 30, 30);
    PopupPanel popup(panel, button);
    window.show();

    QTest::keyClick(panel, Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    panel->show();
    QTest::mouseClick(panel, Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible()) << "its button's own click decides";
    QTest::mouseClick(elsewhere, Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    QTest::keyClick(&window, Qt::Key_Escape);  // closed: Esc goes on as usual
}

TEST_F(FrameParts, LanguagesComeFromTheLanguageListAndTheTitleFollowsThem) {
    EXPECT_TRUE(skin_->loadListedLanguage("en"));
    EXPECT_FALSE(skin_->loadListedLanguage("xx")) << "not in the list";
    EXPECT_EQ(skin_->languageCode(), "en");
    QTemporaryDir dir;
    QFile german(QDir(dir.path()).filePath("lan_de.xml"));
    ASSERT_TRUE(german.open(QIODevice::WriteOnly));
    german.write(R"(<language code="de"><text key="titletext">Spielesoftware</text>)"
                 R"(<text key="hometext">Startseite</text></language>)");
    german.close();
    ASSERT_TRUE(skin_->loadLanguage("de", german.fileName().toStdString()));
    skin_->reloadTexts();
    EXPECT_EQ(skin_->find("titletext")->text(), "Spielesoftware");
    EXPECT_EQ(skin_->find("hometext")->text(), "Startseite");
}

TEST(FileDialogFilter, PairsOfLabelAndPatternBecomeQtFilters) {
    EXPECT_EQ(qtFileFilter("(*.led) | *.led |(*.*)|*.*||"), "(*.led) (*.led);;(*.*) (*.*)");
    EXPECT_EQ(qtFileFilter("(*.png) | *.png |(*.*)|*.*||"), "(*.png) (*.png);;(*.*) (*.*)");
    EXPECT_EQ(qtFileFilter(""), "");
}

TEST(CaptionDrag, OnlyALeftButtonDragOnTheCaptionMovesTheWindow) {
    test::app();
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.resize(200, 100);
    auto* caption = new QWidget(&window);
    caption->resize(200, 20);
    new CaptionDrag(window, *caption);
    window.move(100, 100);
    window.show();
    QApplication::processEvents();
    const QPoint start = window.frameGeometry().topLeft();
    auto send = [&](QEvent::Type type, QPoint offset, Qt::MouseButton button) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, QPointF(5, 5), QPointF(start + offset), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(caption, &event);
    };

    send(QEvent::MouseButtonPress, {10, 5}, Qt::RightButton);
    send(QEvent::MouseMove, {40, 35}, Qt::RightButton);
    send(QEvent::MouseButtonRelease, {40, 35}, Qt::RightButton);
    EXPECT_EQ(window.frameGeometry().topLeft(), start);

    send(QEvent::MouseButtonPress, {10, 5}, Qt::LeftButton);
    send(QEvent::MouseMove, {40, 35}, Qt::LeftButton);
    EXPECT_EQ(window.frameGeometry().topLeft(), start + QPoint(30, 30));
    send(QEvent::MouseButtonRelease, {40, 35}, Qt::LeftButton);
    send(QEvent::MouseMove, {90, 90}, Qt::NoButton);
    EXPECT_EQ(window.frameGeometry().topLeft(), start + QPoint(30, 30)) << "released: no drag";
}

}  // namespace
}  // namespace quillon::gui
