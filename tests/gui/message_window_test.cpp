// The message window: modal, its text by key from the current language, and
// its result by the button that closed it.

#include "gui/message_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>

#include "gui/qt_skin.h"
#include "qt_test_app.h"

namespace quillon::gui {
namespace {

// Clicks a button of the message window as soon as it is on screen.
void clickWhenShown(const char* button, QString* seenText = nullptr) {
    QTimer::singleShot(0, [button, seenText] {
        auto* window = qobject_cast<MessageWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr) << "the message window is modal";
        if (seenText != nullptr) {
            *seenText = window->message();
        }
        auto* target = window->findChild<QAbstractButton*>(button);
        ASSERT_NE(target, nullptr) << button;
        target->click();
    });
}

class MessageWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::app();
        skin_ = std::make_unique<QtSkin>(test::skinDir());
        ASSERT_TRUE(skin_->build());
        ASSERT_TRUE(
            skin_->loadLanguage("en", (test::skinDir().filePath("lan_en.xml")).toStdString()));
    }
    std::unique_ptr<QtSkin> skin_;
};

TEST_F(MessageWindowTest, ConfirmGivesOneCancelAndCloseGiveZero) {
    clickWhenShown("confirm_btn");
    EXPECT_EQ(skin_->showMessage("message_text_12"), 1);
    clickWhenShown("cancel_btn");
    EXPECT_EQ(skin_->showMessage("message_text_12"), 0);
    clickWhenShown("closebtn");
    EXPECT_EQ(skin_->showMessage("message_text_12"), 0);
}

TEST_F(MessageWindowTest, ShowsTheTextOfTheKeyInTheCurrentLanguage) {
    QString seen;
    clickWhenShown("confirm_btn", &seen);
    (void)skin_->showMessage("message_text_14");
    EXPECT_EQ(seen, "Please enter a valid name.");
    EXPECT_FALSE(skin_->messageShowing());
}

TEST_F(MessageWindowTest, AnEmptyKeyShowsTheSkinsOwnText) {
    MessageWindow plain(test::skinDir().absolutePath(), "message.xml", nullptr);
    const QString skinText = plain.message();
    QString seen;
    clickWhenShown("closebtn", &seen);
    (void)skin_->showMessage("");
    EXPECT_EQ(seen, skinText);
}

TEST_F(MessageWindowTest, AFormattedTextIsShownAsItIs) {
    QString seen;
    clickWhenShown("cancel_btn", &seen);
    EXPECT_EQ(skin_->showMessageText("Remove at least 3 actions"), 0);
    EXPECT_EQ(seen, "Remove at least 3 actions");
}

TEST(MessageWindowNames, ButtonNamesMatchWithoutCase) {
    test::app();
    QTemporaryDir dir;
    std::ofstream(dir.filePath("msg.xml").toStdString()) << R"(<ui version="4.0">
 <widget class="QWidget" name="msg_root">
  <widget class="QLabel" name="MessageTitle"/>
  <widget class="QLabel" name="MessageText"/>
  <widget class="QPushButton" name="CONFIRM_BTN"/>
  <widget class="QPushButton" name="Cancel_Btn"/>
  <widget class="QPushButton" name="closebtn"/>
 </widget>
</ui>)";
    MessageWindow window(dir.path(), "msg.xml", nullptr);
    ASSERT_TRUE(window.built()) << window.errors().join("\n").toStdString();
    QTimer::singleShot(0, [&] { window.findChild<QAbstractButton*>("CONFIRM_BTN")->click(); });
    EXPECT_EQ(window.run(), 1);
    QTimer::singleShot(0, [&] { window.findChild<QAbstractButton*>("Cancel_Btn")->click(); });
    EXPECT_EQ(window.run(), 0);
}

}  // namespace
}  // namespace quillon::gui
