#include "gui/chart_view.h"

#include <QPainter>

namespace quillon::gui {

namespace {
constexpr int kTextBand = 25;  // room under the bars for their texts
}

ChartView::ChartView(QWidget* parent) : QWidget(parent) {}

QString ChartView::viewName() const {
    return kind_ == Kind::histogram ? "histpgram" : "pie";
}

void ChartView::setViewName(const QString& name) {
    // The skin attribute is spelled "histpgram"; anything else is a pie.
    kind_ = name == "histpgram" ? Kind::histogram : Kind::pie;
    update();
}

void ChartView::setShadowImage(const QString& path) {
    shadowPath_ = path;
    shadow_ = QPixmap(path);
    update();
}

void ChartView::setShadowImageHeight(int height) {
    shadowHeight_ = height;
    update();
}

void ChartView::setShowTextText(const QString& value) {
    showText_ = value == "true";
    update();
}

void ChartView::addItem(const QString& text, double value) {
    items_.push_back(Item{text, value});
    update();
}

QRect ChartView::shadowRect() const {
    const int bottom = showText_ ? height() - kTextBand : height();
    return QRect(0, bottom - shadowHeight_, width(), shadowHeight_);
}

void ChartView::paintEvent(QPaintEvent*) {
    if (kind_ != Kind::histogram || shadowPath_.isEmpty()) {
        return;  // a pie without data items paints nothing beyond the base
    }
    if (shadow_.isNull()) {
        shadowPath_.clear();  // an image that cannot be drawn is dropped
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(shadowRect(), shadow_);
}

}  // namespace quillon::gui
