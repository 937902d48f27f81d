#pragma once

// The update window on screen: a frameless modal dialog over the main window
// built from the skin file "XML_FUNCTION_SET", its controls reached through
// a skin of their own.

#include <QDialog>
#include <QRect>
#include <QStringList>
#include <memory>

#include "gui/window_skin.h"
#include "update/update_module.h"

namespace quillon::gui {

class QtSkin;

class UpdateDialog final : public QDialog, public update::UpdateWindowShell {
    Q_OBJECT

  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 572;
    static constexpr int kInsetFromRight = 30;
    static constexpr int kBelowTop = 60;

    // Check built() and errors() before running it.
    explicit UpdateDialog(QtSkin& owner);
    ~UpdateDialog() override;

    bool built() const { return skin_ != nullptr; }
    const QStringList& errors() const { return errors_; }

    skin::Skin& skin() override { return *skin_; }
    void runModal() override;

  private:
    QtSkin& owner_;
    QStringList errors_;
    std::unique_ptr<WindowSkin> skin_;
};

// Where the window goes: its right edge kInsetFromRight inside the owner's,
// its top kBelowTop below the owner's top; moved back onto `screen` where
// that would leave part of it off screen. Centred on `screen` when the owner
// is not shown (the start-up check may open it from the tray).
QPoint updateDialogPosition(const QRect& owner, bool ownerShown, const QRect& screen);

}  // namespace quillon::gui
