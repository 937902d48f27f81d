#pragma once

// Makes a panel that a button opens behave as a popup: while it is shown,
// Esc or a click anywhere outside it and its button closes it. The panel is
// only hidden; whoever opens it again sees it hidden, as after its button.
// A panel that grows with its texts (a longer language) keeps its right edge
// where the skin put it, so it stays inside the window.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quillon::gui {

class PopupPanel : public QObject {
    Q_OBJECT

  public:
    PopupPanel(QWidget* panel, QWidget* button, QObject* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void close();

    QPointer<QWidget> panel_;
    QPointer<QWidget> button_;
    bool watching_ = false;
    int rightEdge_ = 0;
};

}  // namespace quillon::gui
