#pragma once

// The skin window on screen: a borderless pop-up built from "skin.xml" that
// opens right-aligned below the main window's `skinbtn` and closes when the
// user clicks elsewhere, as a pop-up does.

#include <memory>

#include "gui/qt_skin.h"
#include "prefs/skin_window.h"

namespace quillon::gui {

class SkinFrame final : public prefs::SkinWindowShell {
  public:
    // `main` places the window and gives its language; null when the build failed.
    static std::unique_ptr<SkinFrame> make(QtSkin& main);

    skin::Skin& skin() override { return skin_; }
    void showBelow(std::string_view anchor) override;
    QWidget* window() const { return skin_.mainWindow(); }

  private:
    explicit SkinFrame(QtSkin& main);

    QtSkin& main_;
    QtSkin skin_;
};

}  // namespace quillon::gui
