#include "gui/screenshot_tour.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <memory>
#include <vector>

#include "gui/message_window.h"
#include "gui/qt_skin.h"
#include "gui/update_dialog.h"

namespace quillon::gui {

namespace {

constexpr int kEffectRunsMs = 700;        // frames of the new mode reach the picture
constexpr int kKeyboardArrivesMs = 3500;  // the attach poll finds a new keyboard
constexpr int kVersionsAskedMs = 1500;    // the update window's queries have answered

struct Shot {
    const char* file;
    const char* deviceTab;  // the device tab option to select first, or null
    const char* subTab;     // the sub-view option to select then, or null
    const char* combo;      // a mode combo to set, or null
    int row;
    std::vector<const char*> clicks;  // controls clicked after that, in order
    int plugKeyboard = 0;             // first replace the keyboard with this variant
};

std::vector<Shot> tourShots() {
    const std::vector<const char*> none;
    // Custom painting: red on the function row, blue on WASD, green on the
    // arrows; the rest stays dark.
    const std::vector<const char*> painting{
        "kb_Deng_color_btn_0", "kb_dkey_0",   "kb_dkey_1",           "kb_dkey_2",
        "kb_dkey_3",           "kb_dkey_4",   "kb_Deng_color_btn_5", "kb_dkey_44",
        "kb_dkey_64",          "kb_dkey_65",  "kb_dkey_66",          "kb_Deng_color_btn_15",
        "kb_dkey_96",          "kb_dkey_113", "kb_dkey_114",         "kb_dkey_115"};
    return {
        {"main.png", nullptr, nullptr, nullptr, 0, none},
        {"keyboard_lighting.png", "kb_tab", "kb_deng_Op_tab", nullptr, 0, none},
        {"keyboard_lighting_spectrum.png", "kb_tab", "kb_deng_Op_tab", "kb_deng_combo_modeSelect",
         3, none},
        {"keyboard_lighting_static.png", "kb_tab", "kb_deng_Op_tab", "kb_deng_combo_modeSelect", 0,
         none},
        {"keyboard_custom_painting.png", "kb_tab", "kb_deng_Op_tab", "kb_deng_combo_modeSelect", 11,
         painting},
        {"keyboard_lighting_off.png", "kb_tab", "kb_deng_Op_tab", "kb_deng_combo_modeSelect", 10,
         none},
        {"keyboard_keys.png", "kb_tab", "kb_key_Op_tab", nullptr, 0, {"kb_key_64"}},
        {"keyboard_key_scroll.png", "kb_tab", "kb_key_Op_tab", "kb_key_fct_combo", 3, none},
        {"keyboard_profile_tools.png", "kb_tab", "kb_profile_fun_spread_btn", nullptr, 0, none},
        {"mouse_lighting.png", "ms_tab", "ms_deng_Op_tab", nullptr, 0, none},
        {"mouse_lighting_spectrum.png", "ms_tab", "ms_deng_Op_tab", "ms_deng_combo_modeSelect", 3,
         none},
        {"mouse_lighting_off.png", "ms_tab", "ms_deng_Op_tab", "ms_deng_combo_modeSelect", 8, none},
        {"mouse_lighting_device_effect.png", "ms_tab", "ms_deng_Op_tab", "ms_deng_combo_modeSelect",
         9, none},
        {"mouse_buttons.png", "ms_tab", "ms_key_Op_tab", nullptr, 0, {"ms_key_3"}},
        {"mouse_button_dpi.png", "ms_tab", "ms_key_Op_tab", "ms_key_fct_combo", 4, none},
        {"mouse_performance.png", "ms_tab", "ms_rich_Op_tab", nullptr, 0, none},
        {"mouse_patterns.png", "ms_tab", "ms_cursor_Op_tab", nullptr, 0, none},
        {"mousepad_lighting.png", "mp_tab", "mp_deng_Op_tab", nullptr, 0, none},
        {"mousepad_lighting_spectrum.png", "mp_tab", "mp_deng_Op_tab", "mp_deng_combo_modeSelect",
         1, none},
        {"mousepad_lighting_static.png", "mp_tab", "mp_deng_Op_tab", "mp_deng_combo_modeSelect", 3,
         none},
        {"mousepad_lighting_device_effect.png", "mp_tab", "mp_deng_Op_tab",
         "mp_deng_combo_modeSelect", 9, none},
        {"keyboard_onecolour_lighting.png", "kb_onecolor_tab", "kb_deng_Op_tab",
         "kb_deng_onecolor_combo_modeSelect", 2, none, 1},
        {"keyboard_membrane_lighting.png", "kb_film_tab", "kb_deng_Op_tab",
         "kb_deng_film_combo_modeSelect", 0, none, 2},
    };
}

// Selects an option as a user click would, so that the program's own
// routes switch the pages.
void click(QtSkin& skin, const char* name) {
    QtControl* control = skin.control(name);
    if (control == nullptr || control->widget() == nullptr || !control->isVisible()) {
        return;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control->widget());
        button != nullptr && !button->isCheckable()) {
        button->click();
        return;
    }
    control->setChecked(true, true);
}

bool isPlainButton(QtSkin& skin, const char* name) {
    QtControl* control = skin.control(name);
    auto* button = control != nullptr ? qobject_cast<QAbstractButton*>(control->widget()) : nullptr;
    return button != nullptr && !button->isCheckable();
}

bool save(QWidget* widget, const QDir& folder, const char* file) {
    QCoreApplication::processEvents();
    return widget->grab().save(folder.filePath(file));
}

// The tour's state between its timer steps.
struct Tour {
    QtSkin& skin;
    QDir out;
    TourHooks hooks;
    std::vector<Shot> shots = tourShots();
    std::size_t next = 0;
    bool ok = true;
};

// The skin window opened from the caption, and the main window with one of
// its stock pictures; the default background is chosen again afterwards.
bool saveSkinWindow(QtSkin& skin, const QDir& out) {
    click(skin, "skinbtn");
    QCoreApplication::processEvents();
    QWidget* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "skinframe" && w->isVisible()) {
            window = w;
        }
    }
    if (window == nullptr) {
        return false;
    }
    bool ok = save(window, out, "skin_window.png");
    auto pick = [window](const char* name) {
        if (auto* button = window->findChild<QAbstractButton*>(name)) {
            button->click();
        }
    };
    pick("skin_image_btn_1");
    ok = save(skin.mainWindow(), out, "main_stock_background.png") && ok;
    pick("skin_reset");
    window->hide();
    return ok;
}

void finish(const std::shared_ptr<Tour>& tour) {
    tour->ok = saveSkinWindow(tour->skin, tour->out) && tour->ok;
    MainFrame* frame = tour->skin.mainWindow();
    MessageWindow message(tour->skin.skinDir().absolutePath(), tour->skin.resourceFile("XML_MSG"),
                          frame);
    if (message.built()) {
        tour->skin.translateWindow(message);
        message.setMessage(QString::fromStdString(tour->skin.translate("message_text_1")));
        message.show();
        tour->ok = save(&message, tour->out, "message.png") && tour->ok;
        message.hide();
    } else {
        tour->ok = false;
    }
    // The update window is modal: it is taken and closed from inside its own
    // loop, and the tour ends once the button's click has returned.
    auto updateTaken = std::make_shared<bool>(false);
    QTimer::singleShot(kVersionsAskedMs, [tour, updateTaken] {
        auto* dialog = qobject_cast<UpdateDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        *updateTaken = save(dialog, tour->out, "update.png");
        dialog->skin().windowCommand(skin::WindowCommand::hide);
    });
    click(tour->skin, "setbtn");
    tour->ok = *updateTaken && tour->ok;
    tour->hooks.done(tour->ok);
}

void step(const std::shared_ptr<Tour>& tour);

// Selects the shot's page and mode; the picture is taken once the effect
// has run for a moment.
void prepare(const std::shared_ptr<Tour>& tour) {
    const Shot& shot = tour->shots[tour->next];
    QtSkin& skin = tour->skin;
    if (shot.deviceTab != nullptr) {
        click(skin, shot.deviceTab);
        click(skin, shot.subTab);
    }
    if (shot.combo != nullptr) {
        if (QtControl* combo = skin.control(shot.combo)) {
            (void)combo->selectRow(shot.row, true);
        }
    }
    for (const char* name : shot.clicks) {
        click(skin, name);
    }
    QTimer::singleShot(shot.combo != nullptr ? kEffectRunsMs : 100, [tour] {
        const Shot& taken = tour->shots[tour->next];
        tour->ok = save(tour->skin.mainWindow(), tour->out, taken.file) && tour->ok;
        if (taken.subTab != nullptr && isPlainButton(tour->skin, taken.subTab)) {
            click(tour->skin, taken.subTab);  // a panel opened for the picture closes again
        }
        ++tour->next;
        step(tour);
    });
}

void step(const std::shared_ptr<Tour>& tour) {
    if (tour->next >= tour->shots.size()) {
        finish(tour);
        return;
    }
    const Shot& shot = tour->shots[tour->next];
    if (shot.plugKeyboard != 0) {
        if (!tour->hooks.plugKeyboard || !tour->hooks.plugKeyboard(shot.plugKeyboard)) {
            ++tour->next;  // this keyboard cannot be shown here
            step(tour);
            return;
        }
        QTimer::singleShot(kKeyboardArrivesMs, [tour] { prepare(tour); });
        return;
    }
    prepare(tour);
}

}  // namespace

void startScreenshotTour(QtSkin& skin, const QString& folder, int delayMs, TourHooks hooks) {
    auto tour = std::make_shared<Tour>(Tour{skin, QDir(folder), std::move(hooks)});
    QTimer::singleShot(delayMs, [tour, folder] {
        tour->ok = QDir().mkpath(folder);
        tour->skin.mainWindow()->show();
        step(tour);
    });
}

}  // namespace quillon::gui
