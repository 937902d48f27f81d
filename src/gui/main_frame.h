#pragma once

// The main window's frame: a frameless top-level window of fixed size that
// holds the skin's main view, moves when its caption is dragged and only
// hides when the window system asks it to close (the program lives on in
// the tray; it ends through the tray menu). Without a tray there is no way
// back from hidden, so it minimises instead.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "gui/caption_drag.h"

namespace quillon::gui {

class MainFrame : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 572;

    explicit MainFrame(QWidget* parent = nullptr);

    // Puts the skin's main view into the frame and makes `caption` (may be
    // null) the area that drags the window.
    void setView(QWidget* view, QWidget* caption);
    QWidget* view() const { return view_; }

    void centreOnScreen();
    // Lets the window be closed for real (at exit).
    void allowClose() { closing_ = true; }

    // Whether a tray icon can bring the window back; decides what conceal()
    // and a close request do.
    void setTrayAvailable(bool available) { trayAvailable_ = available; }
    bool trayAvailable() const { return trayAvailable_; }
    // Hides the window, or minimises it when no tray can bring it back.
    void conceal();
    // Shows the window on top, out of a minimised state too: a window that
    // stays minimised shows no device pictures.
    void present();

    std::function<void()> onResized;
    // The first conceal() without a tray: tell the user why the window only
    // minimises.
    std::function<void()> onFirstConcealWithoutTray;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QWidget* view_ = nullptr;
    QPointer<CaptionDrag> drag_;
    bool closing_ = false;
    bool trayAvailable_ = true;
    bool toldAboutTray_ = false;
};

}  // namespace quillon::gui
