#pragma once

// Tells the program when its main window becomes the active window and when
// it stops being that (the macro recorder listens only while it is active).

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace quillon::gui {

class ActivationWatch : public QObject {
    Q_OBJECT

  public:
    // `changed(active)` on every change of `window`'s activation, once per
    // change; owned by `window`.
    ActivationWatch(QWidget& window, std::function<void(bool active)> changed);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> window_;
    std::function<void(bool)> changed_;
    bool active_ = false;
};

}  // namespace quillon::gui
