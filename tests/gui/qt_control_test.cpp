// Controls behave as the core expects of any skin: events only from the user
// or when asked for, clicks before selections, rows and ranges.

#include "gui/qt_control.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>
#include <map>
#include <vector>

#include "gui/colour_overlay.h"
#include "gui/light_key.h"
#include "qt_test_app.h"

namespace quillon::gui {
namespace {

using skin::NotifyType;

class RecordingHost : public ControlHost {
  public:
    std::string translate(std::string_view key) const override {
        const auto it = texts.find(std::string(key));
        return it != texts.end() ? it->second : std::string(key);
    }
    bool hasText(std::string_view key) const override { return texts.contains(std::string(key)); }
    void notify(const skin::Notification& n) override {
        if (n.type == NotifyType::mouseEnter || n.type == NotifyType::mouseLeave) {
            return;  // the pointer's path is not what these tests check
        }
        seen.push_back(n);
        if (onNotify) {
            onNotify(n);
        }
    }
    std::map<std::string, std::string> texts;
    std::vector<skin::Notification> seen;
    std::function<void(const skin::Notification&)> onNotify;
};

class Controls : public test::WithApp, public ::testing::Test {
  protected:
    void SetUp() override {
        test::app();
        window_.resize(400, 300);
    }
    template <typename W>
    W* make(const char* name) {
        auto* widget = new W(&window_);
        widget->setObjectName(name);
        widget->resize(120, 30);
        return widget;
    }
    QWidget window_;
    RecordingHost host_;
};

TEST_F(Controls, ComboSelectsQuietlyUnlessAskedAndNeverTheSameRowTwice) {
    QtControl combo(make<QComboBox>("kb_deng_profile_combo"), host_);
    combo.addRow(skin::Row::text("Profile 1", 0, "a"));
    combo.addRow(skin::Row::text("Profile 2"));
    EXPECT_EQ(combo.rowCount(), 2);
    EXPECT_EQ(combo.currentRow(), -1) << "adding rows selects nothing";

    EXPECT_TRUE(combo.selectRow(1, false));
    EXPECT_TRUE(host_.seen.empty());
    EXPECT_FALSE(combo.selectRow(1, true)) << "already selected: nothing happens";
    EXPECT_TRUE(host_.seen.empty());
    EXPECT_TRUE(combo.selectRow(0, true));
    ASSERT_EQ(host_.seen.size(), 1u);
    EXPECT_EQ(host_.seen[0].type, NotifyType::itemSelect);
    EXPECT_EQ(host_.seen[0].name, "kb_deng_profile_combo");
    EXPECT_EQ(host_.seen[0].row, 0);
    EXPECT_FALSE(combo.selectRow(5, true));
    EXPECT_EQ(combo.row(0)->userData, "a");

    combo.removeRow(0);
    EXPECT_EQ(combo.currentRow(), -1) << "removing the selected row leaves no selection";
    EXPECT_EQ(combo.text(), "");
}

TEST_F(Controls, ListRowsKeepTheirCellsAndUserClicksAreReported) {
    auto* widget = make<QListWidget>("kb_macro_list");
    widget->resize(200, 200);
    QtControl list(widget, host_);
    skin::Row row = skin::Row::text("Macro A", 24, "7");
    row.name = "macro_action";
    list.addRow(row);
    list.insertRow(0, skin::Row::text("Macro B"));
    EXPECT_EQ(list.row(1)->cells.front().text, "Macro A");
    EXPECT_EQ(list.row(1)->name, "macro_action");
    EXPECT_EQ(list.row(1)->height, 24);

    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                      widget->visualItemRect(widget->item(1)).center());
    std::vector<NotifyType> types;
    for (const auto& n : host_.seen) {
        types.push_back(n.type);
        EXPECT_EQ(n.row, 1);
    }
    EXPECT_EQ(types, (std::vector<NotifyType>{NotifyType::itemSelect, NotifyType::itemClick}));
}

TEST_F(Controls, AnOptionReportsItsClickBeforeItIsSelected) {
    auto* a = make<QPushButton>("ms_bullet_op_0");
    auto* b = make<QPushButton>("ms_bullet_op_1");
    b->move(0, 40);
    for (auto* option : {a, b}) {
        option->setCheckable(true);
        option->setAutoExclusive(true);
    }
    QtControl first(a, host_);
    QtControl second(b, host_);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));

    bool checkedAtClick = true;
    host_.onNotify = [&](const skin::Notification& n) {
        if (n.type == NotifyType::click) {
            checkedAtClick = first.isChecked();
        }
    };
    QTest::mouseClick(a, Qt::LeftButton);
    ASSERT_EQ(host_.seen.size(), 2u);
    EXPECT_EQ(host_.seen[0].type, NotifyType::click);
    EXPECT_FALSE(checkedAtClick) << "the click sees the state before the selection";
    EXPECT_EQ(host_.seen[1].type, NotifyType::selectChanged);
    EXPECT_EQ(host_.seen[1].value, 1);
    EXPECT_TRUE(first.isChecked());

    host_.seen.clear();
    QTest::mouseClick(a, Qt::LeftButton);
    ASSERT_EQ(host_.seen.size(), 1u) << "a selected option stays selected and says nothing more";
    EXPECT_EQ(host_.seen[0].type, NotifyType::click);

    // A click whose handler deselects the option leaves it deselected.
    host_.onNotify = [&](const skin::Notification& n) {
        if (n.type == NotifyType::click && first.isChecked()) {
            first.setChecked(false, false);
        }
    };
    host_.seen.clear();
    QTest::mouseClick(a, Qt::LeftButton);
    ASSERT_EQ(host_.seen.size(), 1u);
    EXPECT_FALSE(first.isChecked());
    QTest::mouseClick(a, Qt::LeftButton);
    EXPECT_TRUE(first.isChecked()) << "the next click selects it again";
    ASSERT_EQ(host_.seen.size(), 3u);
    EXPECT_EQ(host_.seen[2].type, NotifyType::selectChanged);

    // The skin may deselect an option of an exclusive group.
    host_.onNotify = nullptr;
    host_.seen.clear();
    first.setChecked(false, true);
    EXPECT_FALSE(first.isChecked());
    ASSERT_EQ(host_.seen.size(), 1u);
    EXPECT_EQ(host_.seen[0].type, NotifyType::selectChanged);
    EXPECT_EQ(host_.seen[0].value, 0);
    second.setChecked(true, false);
    EXPECT_TRUE(second.isChecked());
    EXPECT_FALSE(first.isChecked());
}

TEST_F(Controls, ACheckBoxFlipsAfterItsClickAndAPlainButtonOnlyClicks) {
    auto* box = make<QPushButton>("kb_Deng_7color_check");
    box->setCheckable(true);
    auto* plain = make<QPushButton>("closebtn");
    plain->move(0, 40);
    QtControl check(box, host_);
    QtControl button(plain, host_);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(plain, Qt::LeftButton);
    std::vector<std::pair<NotifyType, std::int64_t>> seen;
    for (const auto& n : host_.seen) {
        if (n.type != NotifyType::mouseEnter && n.type != NotifyType::mouseLeave) {
            seen.emplace_back(n.type, n.value);
        }
    }
    EXPECT_EQ(seen,
              (std::vector<std::pair<NotifyType, std::int64_t>>{{NotifyType::click, 0},
                                                                {NotifyType::selectChanged, 1},
                                                                {NotifyType::click, 0},
                                                                {NotifyType::selectChanged, 0},
                                                                {NotifyType::click, 0}}));
}

TEST_F(Controls, ACheckBoxToggledWithTheKeyboardIsReportedToo) {
    auto* box = make<QPushButton>("kb_Deng_FXL_check");
    box->setCheckable(true);
    box->setFocusPolicy(Qt::StrongFocus);
    QtControl check(box, host_);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    ASSERT_EQ(host_.seen.size(), 2u);
    EXPECT_EQ(host_.seen[0].type, NotifyType::click);
    EXPECT_EQ(host_.seen[1].type, NotifyType::selectChanged);
    EXPECT_EQ(host_.seen[1].value, 1);
    EXPECT_TRUE(check.isChecked());
}

TEST_F(Controls, SlidersClampQuietlyAndReportTheUser) {
    auto* widget = make<QSlider>("kb_deng_slider_speed");
    widget->setOrientation(Qt::Horizontal);
    QtControl slider(widget, host_);
    slider.setRange(0, 14);
    slider.setValue(20);
    EXPECT_EQ(slider.value(), 14);
    slider.setValue(-3);
    EXPECT_EQ(slider.value(), 0);
    EXPECT_TRUE(host_.seen.empty());
    widget->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // a key press
    ASSERT_EQ(host_.seen.size(), 1u);
    EXPECT_EQ(host_.seen[0].type, NotifyType::valueChanged);
    EXPECT_EQ(host_.seen[0].value, 1);
}

TEST_F(Controls, TypedTextIsReportedButTextSetByTheProgramIsNot) {
    auto* widget = make<QLineEdit>("kb_deng_edit_red");
    QtControl edit(widget, host_);
    edit.setText("12");
    EXPECT_TRUE(host_.seen.empty());
    window_.show();
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_3);
    ASSERT_EQ(host_.seen.size(), 1u);
    EXPECT_EQ(host_.seen[0].type, NotifyType::textChanged);
    EXPECT_EQ(edit.text(), "123");
}

TEST_F(Controls, TextKeysFollowTheLanguageAndKeepTheSkinTextWhenItHasNone) {
    auto* widget = make<QLabel>("exit_label");
    widget->setText("Exit");
    widget->setProperty("textKey", "exit");
    QtControl withSkinText(widget, host_);
    EXPECT_EQ(withSkinText.text(), "Exit") << "no language text: the skin's text stays";
    EXPECT_EQ(withSkinText.textKey(), "exit");

    host_.texts["exit"] = "Quit";
    withSkinText.reloadText();
    EXPECT_EQ(withSkinText.text(), "Quit");

    withSkinText.setText("Plain");
    EXPECT_EQ(withSkinText.textKey(), "");
    host_.texts["exit"] = "Leave";
    withSkinText.reloadText();
    EXPECT_EQ(withSkinText.text(), "Plain") << "setText drops the key";
}

TEST_F(Controls, OverlayTintsLightsAndOrdinaryControls) {
    auto* key = make<LightKey>("kb_dkey_5");
    QtControl light(key, host_);
    light.setOverlayEnabled(true);
    light.setOverlay(0x00FF00, 200);  // packed: blue 0xFF
    EXPECT_TRUE(key->overlayEnabled());
    EXPECT_EQ(key->overlayColour(), 0x00FF00u);
    EXPECT_EQ(key->overlayAlpha(), 200);

    auto* label = make<QLabel>("kb_deng_logo");
    QtControl plain(label, host_);
    EXPECT_EQ(label->findChild<ColourOverlay*>(), nullptr) << "made only when switched on";
    plain.setOverlayEnabled(true);
    plain.setOverlayColour(0x0000FF);  // red
    plain.setOverlayAlpha(255);
    auto* overlay = label->findChild<ColourOverlay*>();
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->alpha(), 255);
    EXPECT_TRUE(overlay->testAttribute(Qt::WA_TransparentForMouseEvents));
    window_.show();
    const QImage picture = label->grab().toImage();
    EXPECT_EQ(picture.pixelColor(5, 5), QColor(0xff, 0, 0));
}

TEST_F(Controls, OperationsOfAnotherKindDoNothing) {
    QtControl label(make<QLabel>("titletext"), host_);
    EXPECT_EQ(label.addRow(skin::Row::text("x")), -1);
    EXPECT_FALSE(label.selectRow(0, true));
    label.setValue(5);
    EXPECT_EQ(label.value(), 0);
    label.setChecked(true, true);
    EXPECT_FALSE(label.isChecked());
    EXPECT_TRUE(host_.seen.empty());
}

TEST_F(Controls, ColourFieldsRefuseWhatCannotBeStoredAndShowWhatIs) {
    auto* field = make<QLineEdit>("kb_Deng_edit_R");
    field->setProperty("maxValue", 255);
    QtControl red(field, host_);
    window_.show();
    field->setFocus();

    QTest::keyClicks(field, "999");
    EXPECT_EQ(field->text(), "99") << "a third 9 would leave 0..255";
    field->clear();
    QTest::keyClicks(field, "abc");
    EXPECT_EQ(field->text(), "");
    QTest::keyClicks(field, "255");
    EXPECT_EQ(field->text(), "255");

    // Leaving a field that reads as 0 or with leading zeros shows the number
    // that was stored.
    field->setText("");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), "0");
    field->setText("007");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), "7");
}

TEST_F(Controls, TheWheelChangesOnlyCombosAndSlidersThatHaveTheFocus) {
    auto* comboWidget = make<QComboBox>("ms_deng_combo_modeSelect");
    auto* sliderWidget = make<QSlider>("ms_deng_light_slider");
    sliderWidget->setOrientation(Qt::Horizontal);
    QtControl combo(comboWidget, host_);
    QtControl slider(sliderWidget, host_);
    combo.addRow(skin::Row::text("Static"));
    combo.addRow(skin::Row::text("Breathing"));
    combo.selectRow(0, false);
    slider.setRange(0, 14);
    slider.setValue(5);
    auto* elsewhere = make<QLineEdit>("search");
    window_.show();
    elsewhere->setFocus();
    auto wheel = [](QWidget* target) {
        const QPointF at = QRectF(target->rect()).center();
        QWheelEvent down(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &down);
    };
    wheel(comboWidget);
    wheel(sliderWidget);
    EXPECT_EQ(combo.currentRow(), 0);
    EXPECT_EQ(slider.value(), 5);
    EXPECT_TRUE(host_.seen.empty());

    sliderWidget->setFocus();
    wheel(sliderWidget);
    EXPECT_NE(slider.value(), 5) << "a slider the user picked follows the wheel";
}

TEST_F(Controls, SlidersShowTheirValueBesideThem) {
    auto* sliderWidget = make<QSlider>("kb_deng_speed_slider");
    sliderWidget->setProperty("showValue", true);
    QtControl slider(sliderWidget, host_);
    slider.setRange(0, 14);
    slider.setValue(9);
    window_.show();
    QLabel* shown = nullptr;
    for (QLabel* label : window_.findChildren<QLabel*>()) {
        shown = label->text() == "9" ? label : shown;
    }
    ASSERT_NE(shown, nullptr);
    EXPECT_GT(shown->x(), sliderWidget->geometry().right());
    slider.setVisible(false);
    EXPECT_FALSE(shown->isVisible()) << "a hidden slider takes its value along";
}

}  // namespace
}  // namespace quillon::gui
