#pragma once

// A ring-shaped progress indicator. The ring is 10 pixels wide and fills
// clockwise from the bottom; the centre is white.

#include <QColor>
#include <QProgressBar>

namespace quillon::gui {

class CircleProgress : public QProgressBar {
    Q_OBJECT
    Q_PROPERTY(QColor bkcolor READ backgroundColour WRITE setBackgroundColour)
    Q_PROPERTY(QColor forecolor READ foregroundColour WRITE setForegroundColour)

  public:
    // The class name the control reports to the skin.
    static constexpr const char* kClassName = "CircleProgress";
    static constexpr int kRingWidth = 10;

    explicit CircleProgress(QWidget* parent = nullptr);

    QColor backgroundColour() const { return background_; }
    void setBackgroundColour(const QColor& colour);
    QColor foregroundColour() const { return foreground_; }
    void setForegroundColour(const QColor& colour);

    // Whole degrees of the foreground pie: value / (maximum - minimum) * 360,
    // cut toward zero. 0 when the range is empty (nothing to divide by).
    static int sweepDegrees(int minimum, int maximum, int value);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor background_{0x2a, 0x2d, 0x34};
    QColor foreground_{0x00, 0xc8, 0xff};
};

}  // namespace quillon::gui
