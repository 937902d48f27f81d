#pragma once

// A placeholder that keeps a hosted widget (possibly a separate top-level
// window) over its own rectangle and shows or hides it together with itself.

#include <QPointer>
#include <QWidget>

namespace quillon::gui {

class WndHost : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* kClassName = "Wnd";

    explicit WndHost(QWidget* parent = nullptr);

    // The widget to keep in place; nullptr hosts nothing.
    void host(QWidget* widget);
    QWidget* hosted() const { return hosted_; }

  protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void follow();

    QPointer<QWidget> hosted_;
};

}  // namespace quillon::gui
