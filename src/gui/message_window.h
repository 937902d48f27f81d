#pragma once

// The modal message window: a small frameless dialog built from its skin
// file, showing one text. `confirm_btn` closes it with 1; `cancel_btn` and
// `closebtn` with 0 (names compared without regard to case).

#include <QDialog>
#include <QString>
#include <QStringList>

namespace quillon::gui {

class MessageWindow : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kConfirmed = 1;
    static constexpr int kCancelled = 0;

    // Builds the window from `skinFile` in `skinDir`; check built() and
    // errors() before showing it.
    MessageWindow(const QString& skinDir, const QString& skinFile, QWidget* owner);

    bool built() const { return view_ != nullptr; }
    const QStringList& errors() const { return errors_; }

    // Shows `text` in `MessageText`; an empty text keeps the skin's own.
    void setMessage(const QString& text);
    QString message() const;
    QString title() const;

    // Centres over the owner (or the screen) and runs modally: 1 or 0. The
    // window stays above its owner while it runs, also where no window
    // manager keeps a transient window on top.
    int run();

    // Names the window needs from its skin file.
    static QStringList requiredControls();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void raiseSoon();

    QWidget* view_ = nullptr;
    QStringList errors_;
};

}  // namespace quillon::gui
