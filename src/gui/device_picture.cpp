#include "gui/device_picture.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>

#include "gui/light_key.h"
#include "gui/packed_colour.h"

namespace quillon::gui {

namespace {

const QColor kCap(0x1b, 0x1e, 0x25);
const QColor kEdge(0x33, 0x38, 0x44);
const QColor kLabel(0xc9, 0xd1, 0xdc);
const QColor kDarkLabel(0x10, 0x12, 0x16);

// A lit cap takes a dark label where the glow is bright enough to drown the
// light one.
bool needsDarkLabel(lighting::MirrorCell cell) {
    const QColor glow = colourFromGbr(cell.colour);
    const int luma = (glow.red() * 299 + glow.green() * 587 + glow.blue() * 114) / 1000;
    return luma * cell.alpha / 255 > 150;
}

QPainterPath outlineOf(const LightKey& light) {
    const QRectF area = QRectF(light.geometry()).adjusted(1.5, 1.5, -1.5, -1.5);
    QPainterPath outline;
    if (light.shape() == "led") {
        outline.addEllipse(area);
    } else {
        outline.addRoundedRect(area, 4, 4);
    }
    return outline;
}

// The glowing top of a cap: a plain rectangle inside the rounded outline
// (cheap to fill), or the LED's disc.
QRect glowOf(const LightKey& light) {
    return light.geometry().adjusted(3, 3, -3, -3);
}

void drawLabel(QPainter& painter, const LightKey& light, const QColor& colour) {
    painter.setPen(colour);
    QFont small = light.font();
    small.setPixelSize(light.text().size() > 3 ? 8 : 10);
    painter.setFont(small);
    painter.drawText(light.geometry(), Qt::AlignCenter | Qt::TextWordWrap, light.text());
}

QPixmap transparentImage(const QSize& size, qreal ratio) {
    QPixmap image(size * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

}  // namespace

DevicePicture::DevicePicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &DevicePicture::refresh);
}

void DevicePicture::bind(std::vector<LightKey*> lights, const lighting::ScreenMirror* mirror) {
    for (const auto& light : lights_) {
        if (light != nullptr) {
            light->removeEventFilter(this);
        }
    }
    lights_.assign(lights.begin(), lights.end());
    shown_.assign(lights_.size(), {});
    mirror_ = mirror;
    for (const auto& light : lights_) {
        if (light != nullptr) {
            light->setPaintedByPicture(true);
            // Moves, resizes and text changes of a light redraw the caps.
            light->installEventFilter(this);
        }
    }
    imagesValid_ = false;
    everSeen_ = false;
    update();
    if (isVisible()) {
        start();
    }
}

void DevicePicture::setArrangement(std::function<bool()> arrange) {
    arrange_ = std::move(arrange);
    if (arrange_ && arrange_()) {
        imagesValid_ = false;
        update();
    }
}

void DevicePicture::start() {
    // The display's own pace, when it is slower than ours.
    int interval = kMaxIntervalMs;
    if (const QScreen* display = screen(); display != nullptr && display->refreshRate() > 1) {
        interval = std::max(interval, static_cast<int>(1000 / display->refreshRate()));
    }
    timer_.start(interval);
}

bool DevicePicture::drawn(std::size_t i) const {
    const LightKey* light = lights_[i];
    return light != nullptr && !light->isHidden();
}

lighting::MirrorCell DevicePicture::shownCell(std::size_t i) const {
    return i < shown_.size() ? shown_[i] : lighting::MirrorCell{};
}

void DevicePicture::refresh() {
    // A minimised window (the desktop without a tray keeps it so) shows nothing.
    if (window()->isMinimized())
        return;
    if (arrange_ && arrange_()) {
        imagesValid_ = false;
        everSeen_ = false;
        update();
    }
    if (mirror_ == nullptr) {
        return;
    }
    const std::uint32_t generation = mirror_->generation();
    if (everSeen_ && generation == seen_) {
        return;
    }
    seen_ = generation;
    everSeen_ = true;
    QRect dirty;
    const std::size_t count = std::min(lights_.size(), mirror_->size());
    for (std::size_t i = 0; i < count; ++i) {
        const lighting::MirrorCell cell = drawn(i) ? mirror_->cell(i) : lighting::MirrorCell{};
        if (cell != shown_[i]) {
            shown_[i] = cell;
            if (drawn(i)) {
                dirty |= lights_[i]->geometry();
            }
        }
    }
    if (!dirty.isEmpty()) {
        update(dirty);
    }
}

void DevicePicture::rebuildImages() {
    const qreal ratio = devicePixelRatioF();
    caps_ = transparentImage(size(), ratio);
    lightLabels_ = transparentImage(size(), ratio);
    darkLabels_ = transparentImage(size(), ratio);
    QPainter caps(&caps_);
    // The skin's picture of the device (an outline) lies under the lights.
    QStyleOption backdrop;
    backdrop.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &backdrop, &caps, this);
    caps.setRenderHint(QPainter::Antialiasing);
    QPainter light(&lightLabels_);
    QPainter dark(&darkLabels_);
    for (std::size_t i = 0; i < lights_.size(); ++i) {
        if (!drawn(i)) {
            continue;
        }
        const LightKey& key = *lights_[i];
        const QPainterPath outline = outlineOf(key);
        caps.fillPath(outline, kCap);
        caps.setPen(QPen(kEdge, 1.2));
        caps.drawPath(outline);
        if (!key.text().isEmpty()) {
            drawLabel(caps, key, kLabel);
            drawLabel(light, key, kLabel);
            drawLabel(dark, key, kDarkLabel);
        }
    }
    imagesValid_ = true;
}

void DevicePicture::paintEvent(QPaintEvent* event) {
    ++paints_;
    if (!imagesValid_ || caps_.size() != size() * devicePixelRatioF()) {
        rebuildImages();
    }
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = caps_.devicePixelRatio();
    const QRectF source(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio);
    painter.drawPixmap(QRectF(area), caps_, source);
    for (std::size_t i = 0; i < lights_.size(); ++i) {
        const lighting::MirrorCell cell = shown_[i];
        if (cell.alpha == 0 || !drawn(i) || !area.intersects(lights_[i]->geometry())) {
            continue;
        }
        const LightKey& light = *lights_[i];
        const QColor glow = colourFromGbr(cell.colour, cell.alpha);
        if (light.shape() == "led") {
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(Qt::NoPen);
            painter.setBrush(glow);
            painter.drawEllipse(QRectF(glowOf(light)));
            painter.setRenderHint(QPainter::Antialiasing, false);
        } else {
            painter.fillRect(glowOf(light), glow);
        }
        // The glow covered the light label: put back the one that reads.
        const QRect label = glowOf(light);
        const QRectF from(QPointF(label.topLeft()) * ratio, QSizeF(label.size()) * ratio);
        painter.drawPixmap(QRectF(label), needsDarkLabel(cell) ? darkLabels_ : lightLabels_, from);
    }
}

void DevicePicture::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Show and hide reach the picture also when a page or the window around
    // it changes; what changed while hidden is painted at once.
    everSeen_ = false;
    refresh();
    start();
}

void DevicePicture::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
}

void DevicePicture::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    imagesValid_ = false;
}

bool DevicePicture::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this) {
        return false;
    }
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::FontChange:
            imagesValid_ = false;
            update();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace quillon::gui
