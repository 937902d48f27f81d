// The parts of the frame around the views: the tray icon's clicks and menu,
// the pictures that follow the lighting mirror, the autostart entry and the
// file dialog filters.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "gui/autostart.h"
#include "gui/device_pictures.h"
#include "gui/light_key.h"
#include "gui/picture_preview.h"
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
        actions_.anyDeviceAttached = [this] { return attached_; };
        actions_.showNoDeviceMessage = [this] { ++noDeviceMessages_; };
        actions_.relayoutSoon = [this] { ++relayouts_; };
        actions_.autostartEnabled = [this] { return autostart_; };
    }
    std::unique_ptr<QtSkin> skin_;
    TrayIcon::Actions actions_;
    bool attached_ = false;
    bool autostart_ = false;
    int noDeviceMessages_ = 0;
    int relayouts_ = 0;
};

TEST_F(FrameParts, TrayClickWithoutADeviceExplainsAndKeepsTheWindowHidden) {
    TrayIcon tray(*skin_, QIcon(), actions_);
    skin_->mainWindow()->show();
    tray.leftClick();
    EXPECT_FALSE(skin_->mainWindow()->isVisible());
    EXPECT_EQ(noDeviceMessages_, 1);
}

TEST_F(FrameParts, TrayClickShowsAndHidesTheWindowWhileADeviceIsAttached) {
    attached_ = true;
    TrayIcon tray(*skin_, QIcon(), actions_);
    tray.leftClick();
    EXPECT_TRUE(skin_->mainWindow()->isVisible());
    EXPECT_EQ(relayouts_, 1);
    tray.leftClick();
    EXPECT_FALSE(skin_->mainWindow()->isVisible());
    EXPECT_EQ(noDeviceMessages_, 0);
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

TEST_F(FrameParts, TrayMenuHasExitAndStartupAfterItsFirstItem) {
    TrayIcon tray(*skin_, QIcon(), actions_);
    std::unique_ptr<QMenu> menu(tray.buildMenu());
    const QList<QAction*> items = menu->actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items[1]->objectName(), "exit");
    EXPECT_EQ(items[2]->objectName(), "ON_or_OFF");
    EXPECT_EQ(items[2]->text().toStdString(), skin_->translate("startup_on"));
    autostart_ = true;
    std::unique_ptr<QMenu> again(tray.buildMenu());
    EXPECT_EQ(again->actions()[2]->text().toStdString(), skin_->translate("startup_off"));
    EXPECT_EQ(tray.icon().toolTip(), "Quillon Gaming Software 3.0");
}

TEST_F(FrameParts, PicturesFollowTheMirrorOnlyWhileShown) {
    lighting::ScreenMirror keyboard(126), mouse(20), mousepad(15);
    QObject owner;
    const auto previews = attachPicturePreviews(*skin_, {keyboard, mouse, mousepad}, &owner);
    EXPECT_EQ(previews.size(), 5u);
    PicturePreview* keys = previews.front();
    EXPECT_FALSE(keys->polling()) << "nothing polls while the window is hidden";

    keyboard.draw(3, lighting::Rgb{0x10, 0x20, 0x30}, 180);
    keyboard.publish();
    skin_->mainWindow()->show();
    EXPECT_TRUE(keys->polling());
    auto* light = qobject_cast<LightKey*>(skin_->control("kb_dkey_3")->widget());
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->overlayColour(), 0x203010u) << "green * 65536 + blue * 256 + red";
    EXPECT_EQ(light->overlayAlpha(), 180);

    keyboard.draw(3, lighting::Rgb{0xff, 0, 0}, 255);
    keyboard.publish();
    EXPECT_TRUE(QTest::qWaitFor([&] { return light->overlayAlpha() == 255; }, 1000));
    EXPECT_EQ(light->overlayColour(), 0x0000ffu);

    // The membrane picture is hidden: it does not poll.
    EXPECT_FALSE(previews[1]->polling());
    skin_->mainWindow()->hide();
    EXPECT_FALSE(keys->polling());
}

TEST(Autostart, TwoTogglesLeaveTheStateAsItWas) {
    QTemporaryDir config;
    Autostart autostart(config.path());
    EXPECT_FALSE(autostart.enabled());
    EXPECT_TRUE(autostart.toggle("/usr/bin/quillon-gaming"));
    QFile entry(autostart.entryPath());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains("Exec=\"/usr/bin/quillon-gaming\""));
    EXPECT_FALSE(autostart.toggle("/usr/bin/quillon-gaming"));
    EXPECT_FALSE(autostart.enabled());
}

TEST(Autostart, AFailedWriteReportsTheRealState) {
    QTemporaryDir config;
    // "autostart" is a file, so no entry can be made below it.
    QFile blocker(QDir(config.path()).filePath("autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Autostart autostart(config.path());
    EXPECT_FALSE(autostart.toggle("/usr/bin/quillon-gaming"));
}

TEST(Autostart, ExecQuotesAndEscapesAsTheDesktopEntrySpecAsks) {
    EXPECT_EQ(desktopExecArgument("/usr/bin/quillon-gaming"), "\"/usr/bin/quillon-gaming\"");
    EXPECT_EQ(desktopExecArgument("/opt/$HOME/`x`/100%/a\"b\\c"),
              "\"/opt/\\\\$HOME/\\\\`x\\\\`/100%%/a\\\\\"b\\\\\\\\c\"");
#ifdef QUILLON_DESKTOP_FILE_VALIDATE
    QTemporaryDir config;
    Autostart autostart(config.path());
    ASSERT_TRUE(autostart.toggle("/opt/my $dir/`odd`/100% \"q\"/quillon-gaming"));
    QProcess validate;
    validate.start(QUILLON_DESKTOP_FILE_VALIDATE, {autostart.entryPath()});
    ASSERT_TRUE(validate.waitForFinished(10000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
#endif
}

TEST(Autostart, AUsersOwnEntryIsReadAsTheDesktopReadsItAndNeverDeleted) {
    QTemporaryDir config;
    Autostart autostart(config.path());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(autostart.entryPath()).absolutePath()));
    const QByteArray own =
        "# mine\n[Desktop Entry]\nType=Application\nName=Mine\nExec=my-wrapper --quiet\n"
        "Hidden=true\n[Desktop Action x]\nName=X\n";
    auto writeEntry = [&](const QByteArray& text) {
        QFile f(autostart.entryPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };
    auto entryText = [&] {
        QFile f(autostart.entryPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    writeEntry(own);
    EXPECT_FALSE(autostart.enabled());
    writeEntry(QByteArray(own).replace("Hidden=true", "X-GNOME-Autostart-enabled=false"));
    EXPECT_FALSE(autostart.enabled());

    // Turning it on keeps the user's command; off marks it hidden, keeping the file.
    EXPECT_TRUE(autostart.toggle("/usr/bin/quillon-gaming"));
    EXPECT_TRUE(entryText().contains("Exec=my-wrapper --quiet\n"));
    EXPECT_TRUE(
        entryText().contains("X-GNOME-Autostart-enabled=true\nHidden=false\n[Desktop Action x]"));
    EXPECT_FALSE(autostart.toggle("/usr/bin/quillon-gaming"));
    EXPECT_TRUE(entryText().startsWith("# mine\n"));
    EXPECT_TRUE(entryText().contains("Hidden=true"));

    // Something that is not an entry at all is left alone.
    writeEntry("not a desktop entry");
    EXPECT_FALSE(autostart.toggle("/usr/bin/quillon-gaming"));
    EXPECT_EQ(entryText(), "not a desktop entry");
}

TEST(FileDialogFilter, PairsOfLabelAndPatternBecomeQtFilters) {
    EXPECT_EQ(qtFileFilter("(*.led) | *.led |(*.*)|*.*||"), "(*.led) (*.led);;(*.*) (*.*)");
    EXPECT_EQ(qtFileFilter("(*.png) | *.png |(*.*)|*.*||"), "(*.png) (*.png);;(*.*) (*.*)");
    EXPECT_EQ(qtFileFilter(""), "");
}

}  // namespace
}  // namespace quillon::gui
