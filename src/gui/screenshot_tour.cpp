#include "gui/screenshot_tour.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include "gui/message_window.h"
#include "gui/qt_skin.h"

namespace quillon::gui {

namespace {

struct Shot {
    const char* file;
    const char* deviceTab;  // the device tab option to select first, or null
    const char* subTab;     // the sub-view option to select then, or null
};

constexpr Shot kShots[] = {
    {"main.png", nullptr, nullptr},
    {"keyboard_lighting.png", "kb_tab", "kb_deng_Op_tab"},
    {"keyboard_keys.png", "kb_tab", "kb_key_Op_tab"},
    {"keyboard_profile_tools.png", "kb_tab", "kb_profile_fun_spread_btn"},
    {"mouse_lighting.png", "ms_tab", "ms_deng_Op_tab"},
    {"mouse_buttons.png", "ms_tab", "ms_key_Op_tab"},
    {"mouse_performance.png", "ms_tab", "ms_rich_Op_tab"},
    {"mousepad_lighting.png", "mp_tab", "mp_deng_Op_tab"},
};

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

}  // namespace

void startScreenshotTour(QtSkin& skin, const QString& folder, int delayMs,
                         std::function<void(bool)> done) {
    QTimer::singleShot(delayMs, [&skin, folder, done] {
        QDir out(folder);
        bool ok = QDir().mkpath(folder);
        MainFrame* frame = skin.mainWindow();
        frame->show();
        for (const Shot& shot : kShots) {
            if (shot.deviceTab != nullptr) {
                click(skin, shot.deviceTab);
                click(skin, shot.subTab);
            }
            ok = save(frame, out, shot.file) && ok;
            if (shot.subTab != nullptr && isPlainButton(skin, shot.subTab)) {
                click(skin, shot.subTab);  // a panel opened for the picture closes again
            }
        }

        MessageWindow message(skin.skinDir().absolutePath(), skin.resourceFile("XML_MSG"), frame);
        if (message.built()) {
            message.setMessage(QString::fromStdString(skin.translate("message_text_1")));
            message.show();
            ok = save(&message, out, "message.png") && ok;
            message.hide();
        } else {
            ok = false;
        }
        done(ok);
    });
}

}  // namespace quillon::gui
