#pragma once

// Moves a frameless window while its caption is dragged with the mouse.

#include <QObject>
#include <QPoint>
#include <QWidget>

namespace quillon::gui {

class CaptionDrag : public QObject {
    Q_OBJECT

  public:
    // Owned by `caption`, which lies inside `window`.
    CaptionDrag(QWidget& window, QWidget& caption);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    QPoint offset_;
    bool dragging_ = false;
};

}  // namespace quillon::gui
