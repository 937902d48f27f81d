#include "gui/picture_preview.h"

#include <QEvent>
#include <QWidget>

#include "gui/qt_control.h"

namespace quillon::gui {

PicturePreview::PicturePreview(QWidget* picture, std::vector<QtControl*> lights,
                               const lighting::ScreenMirror& mirror, QObject* parent)
    : QObject(parent), picture_(picture), lights_(std::move(lights)), mirror_(mirror) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &PicturePreview::refresh);
    if (picture_ != nullptr) {
        picture_->installEventFilter(this);
        if (picture_->isVisible()) {
            timer_.start();
        }
    }
}

bool PicturePreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture_) {
        // Show and hide reach the picture also when a page or the window
        // around it changes.
        if (event->type() == QEvent::Show) {
            everSeen_ = false;  // paint at once what changed while hidden
            refresh();
            timer_.start();
        } else if (event->type() == QEvent::Hide) {
            timer_.stop();
        }
    }
    return false;
}

void PicturePreview::refresh() {
    const std::uint32_t generation = mirror_.generation();
    if (everSeen_ && generation == seen_) {
        return;
    }
    seen_ = generation;
    everSeen_ = true;
    const std::size_t count = std::min(lights_.size(), mirror_.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (QtControl* light = lights_[i]) {
            const lighting::MirrorCell cell = mirror_.cell(i);
            light->setOverlay(cell.colour, cell.alpha);
        }
    }
}

}  // namespace quillon::gui
