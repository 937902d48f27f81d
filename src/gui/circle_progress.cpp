#include "gui/circle_progress.h"

#include <QPainter>

namespace quillon::gui {

CircleProgress::CircleProgress(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    setRange(0, 100);
    setValue(0);
}

void CircleProgress::setBackgroundColour(const QColor& colour) {
    background_ = colour;
    update();
}

void CircleProgress::setForegroundColour(const QColor& colour) {
    foreground_ = colour;
    update();
}

int CircleProgress::sweepDegrees(int minimum, int maximum, int value) {
    if (maximum == minimum) {
        return 0;  // an empty range draws no foreground instead of dividing by zero
    }
    const double sweep = static_cast<double>(value) /
                         (static_cast<double>(maximum) - static_cast<double>(minimum)) * 360.0;
    return static_cast<int>(sweep);  // conversion truncates toward zero
}

void CircleProgress::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRect area(0, 0, width(), height());

    painter.setBrush(background_);
    painter.drawEllipse(area);

    // Qt counts angles counter-clockwise from three o'clock in 1/16 degree:
    // the bottom is -90 degrees and a clockwise sweep is negative.
    const int sweep = sweepDegrees(minimum(), maximum(), value());
    if (sweep != 0) {
        painter.setBrush(foreground_);
        painter.drawPie(area, -90 * 16, -sweep * 16);
    }

    painter.setBrush(QColor(0xff, 0xff, 0xff, 0xff));
    painter.drawEllipse(area.adjusted(kRingWidth, kRingWidth, -kRingWidth, -kRingWidth));
}

}  // namespace quillon::gui
