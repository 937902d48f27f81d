#include "gui/light_key.h"

#include <QPainter>
#include <QPainterPath>

#include "gui/packed_colour.h"

namespace quillon::gui {

namespace {
const QColor kCap(0x1b, 0x1e, 0x25);
const QColor kEdge(0x33, 0x38, 0x44);
const QColor kHoverEdge(0x00, 0xc8, 0xff);
const QColor kLabel(0xc9, 0xd1, 0xdc);
const QColor kCurrentCap(0x0f, 0x2a, 0x36);
}  // namespace

LightKey::LightKey(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void LightKey::setShape(const QString& shape) {
    round_ = shape == "led";
    update();
}

void LightKey::setOverlayEnabled(bool on) {
    if (overlayOn_ != on) {
        overlayOn_ = on;
        update();
    }
}

void LightKey::setCurrent(bool current) {
    if (current_ != current) {
        current_ = current;
        update();
    }
}

void LightKey::setPaintedByPicture(bool painted) {
    paintedByPicture_ = painted;
    update();
}

void LightKey::setOverlay(std::uint32_t gbr, std::uint8_t alpha) {
    if (gbr != colour_ || alpha != alpha_) {
        colour_ = gbr;
        alpha_ = alpha;
        if (overlayOn_ && !paintedByPicture_) {
            update();
        }
    }
}

void LightKey::paintEvent(QPaintEvent*) {
    const bool highlighted = hovered_ || isDown() || current_;
    if (paintedByPicture_ && !highlighted) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QPainterPath outline;
    if (round_) {
        outline.addEllipse(area);
    } else {
        outline.addRoundedRect(area, 4, 4);
    }
    if (paintedByPicture_) {
        painter.setPen(QPen(kHoverEdge, 1.2));
        painter.drawPath(outline);
        return;
    }

    painter.fillPath(outline, current_ ? kCurrentCap : kCap);
    const bool lit = overlayOn_ && alpha_ > 0;
    if (lit) {
        painter.fillPath(outline, colourFromGbr(colour_, alpha_));
    }
    painter.setPen(QPen(highlighted ? kHoverEdge : kEdge, current_ ? 2.0 : 1.2));
    painter.drawPath(outline);

    if (!text().isEmpty()) {
        // A brightly lit cap takes a dark label so that it stays readable.
        QColor label = kLabel;
        if (lit) {
            const QColor glow = colourFromGbr(colour_);
            const int luma = (glow.red() * 299 + glow.green() * 587 + glow.blue() * 114) / 1000;
            if (luma * alpha_ / 255 > 150) {
                label = QColor(0x10, 0x12, 0x16);
            }
        }
        painter.setPen(label);
        QFont small = font();
        small.setPixelSize(text().size() > 3 ? 8 : 10);
        painter.setFont(small);
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, text());
    }
}

void LightKey::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void LightKey::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

}  // namespace quillon::gui
