// The skin's keyed texts follow a language change: captions, tooltips,
// placeholders, combo items, tree headers, the second copy of a sub-view and
// rows the program adds with a key.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

#include "gui/qt_skin.h"
#include "qt_test_app.h"

namespace quillon::gui {
namespace {

template <typename W>
W* widget(const QtSkin& skin, std::string_view name) {
    const QtControl* control = skin.control(name);
    return control != nullptr ? qobject_cast<W*>(control->widget()) : nullptr;
}

TEST(KeyedTexts, TheWholeSkinFollowsALanguageChangeAndBack) {
    test::app();
    QtSkin skin(test::skinDir());
    ASSERT_TRUE(skin.build()) << skin.errors().join("\n").toStdString();
    auto* modes = widget<QComboBox>(skin, "kb_deng_combo_modeSelect");
    auto* edit = widget<QLineEdit>(skin, "kb_deng_profile_name_edit");
    auto* macros = widget<QTreeWidget>(skin, "kb_Macro_list");
    ASSERT_NE(modes, nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(macros, nullptr);
    skin::Control* combo = skin.find("kb_deng_combo_modeSelect");
    ASSERT_TRUE(combo->selectRow(2, false));
    const int added = combo->addRow(skin::Row::keyed("deng_mode_rain", "Rain"));

    ASSERT_TRUE(skin.loadListedLanguage("de"));
    skin.reloadTexts();
    EXPECT_EQ(skin.find("kb_deng_Op_tab")->text(), "Beleuchtung");
    EXPECT_EQ(skin.find("minbtn")->tooltip(), "Minimieren");
    EXPECT_EQ(edit->placeholderText(), "Neuer Name");
    EXPECT_EQ(modes->itemText(0), "Statisch");
    EXPECT_EQ(modes->itemText(added), "Regen");
    EXPECT_EQ(combo->currentRow(), 2) << "translating items moves no selection";
    EXPECT_EQ(combo->row(0)->cells.front().textKey, "deng_mode_static");
    EXPECT_EQ(macros->headerItem()->text(0), "Zustand");
    // The pattern page is built for the keyboard and the mouse; only the
    // first copy is a control, both speak the language.
    const auto headings = skin.mainWindow()->findChildren<QLabel*>("cursor_pattern_heading");
    ASSERT_EQ(headings.size(), 2);
    for (const QLabel* heading : headings) {
        EXPECT_EQ(heading->text(), "Bewegungsmuster");
    }

    ASSERT_TRUE(skin.loadListedLanguage("en"));
    skin.reloadTexts();
    EXPECT_EQ(skin.find("kb_deng_Op_tab")->text(), "Lighting");
    EXPECT_EQ(modes->itemText(added), "Rain");
    EXPECT_EQ(headings.front()->text(), "Movement patterns");
    // A text the program set itself is no longer the key's.
    skin.find("kb_deng_Op_tab")->setText("Mine");
    ASSERT_TRUE(skin.loadListedLanguage("de"));
    skin.reloadTexts();
    EXPECT_EQ(skin.find("kb_deng_Op_tab")->text(), "Mine");
}

}  // namespace
}  // namespace quillon::gui
