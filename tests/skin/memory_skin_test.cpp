#include "skin/memory_skin.h"

#include <gtest/gtest.h>

namespace quillon::skin {
namespace {

class ComboSelect : public ::testing::Test {
  protected:
    void SetUp() override {
        skin.setNotificationSink([this](const Notification& n) { seen.push_back(n); });
        combo = skin.find("kb_deng_profile_combo");
        ASSERT_NE(combo, nullptr);
        for (const char* name : {"Alpha", "Beta", "Gamma"}) {
            combo->addRow(Row::text(name, 25, name));
        }
    }

    MemorySkin skin;
    Control* combo = nullptr;
    std::vector<Notification> seen;
};

TEST_F(ComboSelect, SelectingANewRowRaisesItemSelectBeforeReturning) {
    EXPECT_TRUE(combo->selectRow(1, true));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].type, NotifyType::itemSelect);
    EXPECT_EQ(seen[0].name, "kb_deng_profile_combo");
    EXPECT_EQ(seen[0].row, 1);
    EXPECT_EQ(combo->currentRow(), 1);
}

TEST_F(ComboSelect, SelectingTheSelectedRowDoesNothingAtAll) {
    ASSERT_TRUE(combo->selectRow(2, false));
    EXPECT_FALSE(combo->selectRow(2, true));
    skin.userSelectRow("kb_deng_profile_combo", 2);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(combo->currentRow(), 2);
}

TEST_F(ComboSelect, SilentSelectAndOutOfRangeRows) {
    EXPECT_TRUE(combo->selectRow(0, false));
    EXPECT_FALSE(combo->selectRow(3, true));
    EXPECT_FALSE(combo->selectRow(-2, true));
    EXPECT_EQ(combo->currentRow(), 0);
    EXPECT_TRUE(combo->selectRow(-1, true));  // clearing raises nothing
    EXPECT_EQ(combo->currentRow(), -1);
    EXPECT_TRUE(seen.empty());
}

TEST_F(ComboSelect, RemovingRowsKeepsTheSelectionOnItsRow) {
    ASSERT_TRUE(combo->selectRow(2, false));
    combo->removeRow(0);
    EXPECT_EQ(combo->currentRow(), 1);
    EXPECT_EQ(combo->row(1)->userData, "Gamma");
    combo->insertRow(0, Row::text("Zero"));
    EXPECT_EQ(combo->currentRow(), 2);
    combo->removeRow(2);
    EXPECT_EQ(combo->currentRow(), -1);
    combo->removeRow(7);  // ignored
    EXPECT_EQ(combo->rowCount(), 2);
    combo->clearRows();
    EXPECT_EQ(combo->rowCount(), 0);
    EXPECT_FALSE(combo->row(0).has_value());
}

TEST(MemorySkinControls, OptionsOfAGroupExcludeEachOtherAndRaiseOnlyWhenAsked) {
    MemorySkin skin;
    std::vector<Notification> seen;
    skin.setNotificationSink([&](const Notification& n) { seen.push_back(n); });
    skin.declareOptionGroup("kb_pages", {"kb_deng_Op_tab", "kb_key_Op_tab", "kb_macro_Op_tab"});
    skin.find("kb_deng_Op_tab")->setChecked(true, false);
    skin.find("kb_macro_Op_tab")->setChecked(true, true);
    EXPECT_FALSE(skin.at("kb_deng_Op_tab").isChecked());
    EXPECT_TRUE(skin.at("kb_macro_Op_tab").isChecked());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].type, NotifyType::selectChanged);
    EXPECT_EQ(seen[0].name, "kb_macro_Op_tab");
    EXPECT_EQ(seen[0].value, 1);
}

TEST(MemorySkinControls, SlidersClampAndProgressWithEmptyRangeIsSafe) {
    MemorySkin skin;
    Control* slider = skin.find("kb_deng_slider_speed");
    slider->setRange(0, 14);
    slider->setValue(20);
    EXPECT_EQ(slider->value(), 14);
    slider->setValue(-3);
    EXPECT_EQ(slider->value(), 0);
    slider->setRange(5, 5);
    EXPECT_EQ(slider->value(), 5);
}

TEST(MemorySkinControls, DeclaredOnlyLookupTreatsUnknownNamesAsAbsent) {
    MemorySkin skin;
    skin.setCreateOnDemand(false);
    skin.declare("closebtn");
    EXPECT_NE(skin.find("closebtn"), nullptr);
    EXPECT_EQ(skin.find("no_such_control"), nullptr);
    EXPECT_EQ(skin.find("CLOSEBTN"), nullptr);
    EXPECT_FALSE(skin.has("no_such_control"));
}

TEST(MemorySkinModal, MessagesAreRecordedAndAnsweredFromTheScript) {
    MemorySkin skin;
    ASSERT_EQ(skin.loadLanguageText(
                  R"(<language code="en"><text key="message_text_12">Delete?</text></language>)"),
              LanguageLoad::ok);
    skin.queueMessageAnswer(0);
    EXPECT_EQ(skin.showMessage("message_text_12"), 0);
    EXPECT_EQ(skin.showMessage("message_text_12"), 1);  // default: confirm
    skin.setDefaultMessageAnswer(0);
    EXPECT_EQ(skin.showMessageText("Formatted 50"), 0);
    ASSERT_EQ(skin.messages().size(), 3u);
    EXPECT_EQ(skin.messages()[0].key, "message_text_12");
    EXPECT_EQ(skin.messages()[0].text, "Delete?");
    EXPECT_EQ(skin.messages()[2].key, "");
    EXPECT_EQ(skin.messages()[2].text, "Formatted 50");
}

TEST(MemorySkinModal, FileDialogsAndMenusCancelUnlessScripted) {
    MemorySkin skin;
    FileDialogRequest request{"(*.led) | *.led |(*.*)|*.*||", "led", "*.led", true};
    skin.queueFileAnswer(std::filesystem::path("/tmp/a.led"));
    EXPECT_EQ(skin.saveFileDialog(request), std::filesystem::path("/tmp/a.led"));
    EXPECT_EQ(skin.openFileDialog(request), std::nullopt);
    ASSERT_EQ(skin.fileDialogs().size(), 2u);
    EXPECT_TRUE(skin.fileDialogs()[0].save);
    EXPECT_EQ(skin.fileDialogs()[1].request.filter, request.filter);
    EXPECT_EQ(skin.showMenu("menu.xml", "menubtn"), std::nullopt);
    skin.queueMenuAnswer("exit");
    EXPECT_EQ(skin.showMenu("menu.xml", "menubtn"), "exit");
}

TEST(MemorySkinLanguage, TextKeysFollowALanguageReload) {
    MemorySkin skin;
    ASSERT_EQ(skin.loadLanguageText(R"(<language code="en"><text key="t">Hello</text></language>)"),
              LanguageLoad::ok);
    Control* label = skin.find("MessageText");
    label->setTextKey("t");
    EXPECT_EQ(label->text(), "Hello");
    Control* fixed = skin.find("titletext");
    fixed->setText("fixed");
    ASSERT_EQ(skin.loadLanguageText(R"(<language code="de"><text key="t">Hallo</text></language>)"),
              LanguageLoad::ok);
    skin.reloadTexts();
    EXPECT_EQ(label->text(), "Hallo");
    EXPECT_EQ(fixed->text(), "fixed");
    EXPECT_EQ(skin.languageCode(), "de");
    label->setTextKey("missing_key");
    EXPECT_EQ(label->text(), "missing_key");
}

}  // namespace
}  // namespace quillon::skin
