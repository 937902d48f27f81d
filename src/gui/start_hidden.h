#pragma once

// `--hidden` (the autostart entry's flag): the program starts in the tray.
// The devices found by the first attach pass would show the window at log-on;
// while the hold lasts, every show of the window is undone. The hold ends
// after the start-up pass, or at once when the user asks for the window.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quillon::gui {

class StartHidden : public QObject {
    Q_OBJECT

  public:
    // The attach polls find plugged devices well within this.
    static constexpr int kStartupPassMs = 3000;

    StartHidden(QWidget& window, int holdMs = kStartupPassMs);

    bool holding() const { return holding_; }
    void release();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> window_;
    bool holding_ = true;
};

}  // namespace quillon::gui
