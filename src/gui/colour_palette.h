#pragma once

// A colour picker: a hue/saturation field above a brightness strip. The
// selected colour is 0xAARRGGBB; a pick by the user is announced once, when
// the mouse is released.

#include <QImage>
#include <QWidget>
#include <cstdint>

namespace quillon::gui {

class ColourPalette : public QWidget {
    Q_OBJECT

  public:
    explicit ColourPalette(QWidget* parent = nullptr);

    std::uint32_t colour() const { return argb_; }
    void setColour(std::uint32_t argb);  // no signal

    QSize sizeHint() const override { return {200, 140}; }

  Q_SIGNALS:
    void colourPicked(std::uint32_t argb);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    enum class Drag { none, field, strip };
    QRect fieldRect() const;
    QRect stripRect() const;
    void pickAt(QPoint point);
    void rebuildField();

    std::uint32_t argb_ = 0xFF0199CB;
    int hue_ = 0;         // 0..359
    int saturation_ = 0;  // 0..255
    int brightness_ = 255;
    Drag drag_ = Drag::none;
    QImage field_;
};

}  // namespace quillon::gui
