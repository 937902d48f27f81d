#include "gui/colour_overlay.h"

#include <QEvent>
#include <QPainter>

#include "gui/packed_colour.h"

namespace quillon::gui {

ColourOverlay::ColourOverlay(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(parent->rect());
    parent->installEventFilter(this);
    raise();
}

void ColourOverlay::setOverlay(std::uint32_t gbr, std::uint8_t alpha) {
    if (gbr != colour_ || alpha != alpha_) {
        colour_ = gbr;
        alpha_ = alpha;
        update();
    }
}

bool ColourOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    } else if (watched == parent() && event->type() == QEvent::ChildAdded) {
        raise();  // stay above children added later
    }
    return false;
}

void ColourOverlay::paintEvent(QPaintEvent*) {
    if (alpha_ == 0) {
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), colourFromGbr(colour_, alpha_));
}

}  // namespace quillon::gui
