#include "gui/colour_palette.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace quillon::gui {

namespace {
constexpr int kStripHeight = 14;
constexpr int kGap = 6;
}  // namespace

ColourPalette::ColourPalette(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::CrossCursor);
    setColour(argb_);
}

QRect ColourPalette::fieldRect() const {
    return QRect(0, 0, width(), std::max(1, height() - kStripHeight - kGap));
}

QRect ColourPalette::stripRect() const {
    return QRect(0, height() - kStripHeight, width(), kStripHeight);
}

void ColourPalette::setColour(std::uint32_t argb) {
    argb_ = argb;
    const QColor colour = QColor::fromRgba(argb);
    if (colour.hsvHue() >= 0) {
        hue_ = colour.hsvHue();
    }
    saturation_ = colour.hsvSaturation();
    brightness_ = colour.value();
    update();
}

void ColourPalette::rebuildField() {
    const QRect area = fieldRect();
    field_ = QImage(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        const int saturation = 255 - y * 255 / std::max(1, area.height() - 1);
        auto* line = reinterpret_cast<QRgb*>(field_.scanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            const int hue = x * 359 / std::max(1, area.width() - 1);
            line[x] = QColor::fromHsv(hue, saturation, 255).rgb();
        }
    }
}

void ColourPalette::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    rebuildField();
}

void ColourPalette::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (field_.size() != fieldRect().size()) {
        rebuildField();
    }
    const QRect field = fieldRect();
    painter.drawImage(field.topLeft(), field_);

    const QRect strip = stripRect();
    QLinearGradient ramp(strip.topLeft(), strip.topRight());
    ramp.setColorAt(0, Qt::black);
    ramp.setColorAt(1, QColor::fromHsv(hue_, saturation_, 255));
    painter.fillRect(strip, ramp);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const int fx = field.left() + hue_ * std::max(1, field.width() - 1) / 359;
    const int fy = field.top() + (255 - saturation_) * std::max(1, field.height() - 1) / 255;
    painter.setPen(QPen(Qt::black, 3));
    painter.drawEllipse(QPoint(fx, fy), 5, 5);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawEllipse(QPoint(fx, fy), 5, 5);
    const int sx = strip.left() + brightness_ * std::max(1, strip.width() - 1) / 255;
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(sx, strip.top() - 2, sx, strip.bottom() + 2);
}

void ColourPalette::pickAt(QPoint point) {
    if (drag_ == Drag::field) {
        const QRect field = fieldRect();
        const int x = std::clamp(point.x() - field.left(), 0, field.width() - 1);
        const int y = std::clamp(point.y() - field.top(), 0, field.height() - 1);
        hue_ = x * 359 / std::max(1, field.width() - 1);
        saturation_ = 255 - y * 255 / std::max(1, field.height() - 1);
    } else if (drag_ == Drag::strip) {
        const QRect strip = stripRect();
        const int x = std::clamp(point.x() - strip.left(), 0, strip.width() - 1);
        brightness_ = x * 255 / std::max(1, strip.width() - 1);
    }
    argb_ = QColor::fromHsv(hue_, saturation_, brightness_).rgba();
    update();
}

void ColourPalette::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    drag_ = stripRect().adjusted(0, -kGap / 2, 0, 0).contains(point) ? Drag::strip : Drag::field;
    pickAt(point);
}

void ColourPalette::mouseMoveEvent(QMouseEvent* event) {
    if (drag_ != Drag::none) {
        pickAt(event->position().toPoint());
    }
}

void ColourPalette::mouseReleaseEvent(QMouseEvent* event) {
    if (drag_ == Drag::none || event->button() != Qt::LeftButton) {
        return;
    }
    pickAt(event->position().toPoint());
    drag_ = Drag::none;
    Q_EMIT colourPicked(argb_);
}

}  // namespace quillon::gui
