// The program's own controls: the ring progress drawn by pixels, the chart's
// attributes and the hosted-window placeholder.

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <cmath>

#include "gui/chart_view.h"
#include "gui/circle_progress.h"
#include "gui/wnd_host.h"
#include "qt_test_app.h"

namespace quillon::gui {
namespace {

const QColor kBack(0x20, 0x30, 0x40);
const QColor kFore(0xff, 0x00, 0x00);

QImage paint(CircleProgress& ring) {
    ring.setBackgroundColour(kBack);
    ring.setForegroundColour(kFore);
    ring.resize(100, 100);
    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(Qt::black);
    ring.render(&image);
    return image;
}

// A point of the ring (radius 45 of 50: inside the 10-pixel band) at an angle
// counted clockwise from three o'clock, as the drawing counts it.
QColor ringAt(const QImage& image, double degrees) {
    const double a = degrees * M_PI / 180.0;
    const int x = static_cast<int>(std::lround(50 + 45 * std::cos(a)));
    const int y = static_cast<int>(std::lround(50 + 45 * std::sin(a)));
    return image.pixelColor(x, y);
}

TEST(CircleProgress, SweepIsWholeDegreesCutTowardZero) {
    EXPECT_EQ(CircleProgress::sweepDegrees(0, 100, 0), 0);
    EXPECT_EQ(CircleProgress::sweepDegrees(0, 100, 50), 180);
    EXPECT_EQ(CircleProgress::sweepDegrees(0, 100, 33), 118);  // 118.8
    EXPECT_EQ(CircleProgress::sweepDegrees(0, 100, 100), 360);
    EXPECT_EQ(CircleProgress::sweepDegrees(0, 7, 1), 51);  // 51.43
    // The value is divided by the range, not offset by the minimum.
    EXPECT_EQ(CircleProgress::sweepDegrees(50, 100, 75), 540);
}

TEST(CircleProgress, AnEmptyRangeDrawsNoForeground) {
    test::app();
    EXPECT_EQ(CircleProgress::sweepDegrees(5, 5, 5), 0);
    CircleProgress ring;
    ring.setRange(5, 5);
    ring.setValue(5);
    const QImage image = paint(ring);
    for (double angle : {0.0, 90.0, 180.0, 270.0}) {
        EXPECT_EQ(ringAt(image, angle), kBack) << angle;
    }
}

TEST(CircleProgress, EmptyHalfAndFullRingsByPixels) {
    test::app();
    CircleProgress ring;
    ring.setRange(0, 100);

    ring.setValue(0);
    QImage image = paint(ring);
    for (double angle : {45.0, 135.0, 225.0, 315.0}) {
        EXPECT_EQ(ringAt(image, angle), kBack) << "0 %, angle " << angle;
    }
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::white)) << "white centre";

    // Half: from the bottom clockwise through the left to the top.
    ring.setValue(50);
    image = paint(ring);
    EXPECT_EQ(ringAt(image, 135), kFore) << "bottom left";
    EXPECT_EQ(ringAt(image, 180), kFore) << "left";
    EXPECT_EQ(ringAt(image, 225), kFore) << "top left";
    EXPECT_EQ(ringAt(image, 315), kBack) << "top right";
    EXPECT_EQ(ringAt(image, 0), kBack) << "right";
    EXPECT_EQ(ringAt(image, 45), kBack) << "bottom right";
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::white));
    // The ring is 10 pixels wide: 15 pixels in from the left edge is centre.
    EXPECT_EQ(image.pixelColor(15, 50), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(5, 50), kFore);

    ring.setValue(100);
    image = paint(ring);
    for (double angle : {0.0, 45.0, 135.0, 180.0, 225.0, 315.0}) {
        EXPECT_EQ(ringAt(image, angle), kFore) << "100 %, angle " << angle;
    }
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::white));
}

TEST(ChartView, AttributesAndTheShadowPlace) {
    test::app();
    ChartView chart;
    chart.resize(200, 100);
    EXPECT_EQ(chart.kind(), ChartView::Kind::pie);
    EXPECT_TRUE(chart.showText());
    EXPECT_FALSE(chart.showHtml());
    EXPECT_EQ(chart.fontIndex(), -1);

    // The skin sets them by attribute name, as the loader does.
    chart.setProperty("view", "histpgram");
    chart.setProperty("shadowimageheight", 12);
    chart.setProperty("font", 3);
    chart.setProperty("showhtml", "true");
    EXPECT_EQ(chart.kind(), ChartView::Kind::histogram);
    EXPECT_EQ(chart.fontIndex(), 3);
    EXPECT_TRUE(chart.showHtml());
    EXPECT_EQ(chart.shadowRect(), QRect(0, 100 - 25 - 12, 200, 12));
    chart.setProperty("showtext", "no");
    EXPECT_EQ(chart.shadowRect(), QRect(0, 100 - 12, 200, 12));
    chart.setProperty("view", "bars");
    EXPECT_EQ(chart.kind(), ChartView::Kind::pie) << "an unknown view is a pie";
}

TEST(ChartView, AnImageThatCannotBeDrawnIsDropped) {
    test::app();
    ChartView chart;
    chart.resize(100, 60);
    chart.setViewName("histpgram");
    chart.setShadowImage("/no/such/shadow.png");
    chart.setShadowImageHeight(10);
    QImage image(100, 60, QImage::Format_ARGB32);
    chart.render(&image);
    EXPECT_TRUE(chart.shadowImage().isEmpty());
}

TEST(WndHost, KeepsTheHostedWidgetOverItselfAndShowsItAlong) {
    test::app();
    QWidget window;
    window.resize(300, 200);
    auto* host = new WndHost(&window);
    host->setGeometry(40, 30, 120, 80);
    auto* hosted = new QLabel("hosted", &window);
    host->host(hosted);
    window.show();
    EXPECT_EQ(hosted->geometry(), QRect(40, 30, 120, 80));
    EXPECT_TRUE(hosted->isVisible());
    host->move(60, 50);
    EXPECT_EQ(hosted->geometry().topLeft(), QPoint(60, 50));
    host->hide();
    EXPECT_FALSE(hosted->isVisible());
}

}  // namespace
}  // namespace quillon::gui
