#pragma once

// One light of an on-screen device picture: a key cap of the keyboard or an
// LED of the mouse or mousepad. On its own it shows its label and glows in
// its overlay colour at the overlay's alpha; inside a DevicePicture, which
// paints every light at once, it draws only its hover edge. A click reaches
// the skin like any button.

#include <QAbstractButton>
#include <cstdint>

namespace quillon::gui {

class LightKey : public QAbstractButton {
    Q_OBJECT
    // "key": a rounded key cap; "led": a round LED.
    Q_PROPERTY(QString shape READ shape WRITE setShape)
    // The key the user is editing: marked until it is no longer current.
    Q_PROPERTY(bool current READ isCurrent WRITE setCurrent)

  public:
    explicit LightKey(QWidget* parent = nullptr);

    QString shape() const { return round_ ? "led" : "key"; }
    void setShape(const QString& shape);

    bool overlayEnabled() const { return overlayOn_; }
    std::uint32_t overlayColour() const { return colour_; }
    std::uint8_t overlayAlpha() const { return alpha_; }
    void setOverlayEnabled(bool on);
    // Repaints only when something changed, so a poll of the mirror at the
    // picture's pace costs nothing for keys that stay the same.
    void setOverlay(std::uint32_t gbr, std::uint8_t alpha);

    bool isCurrent() const { return current_; }
    void setCurrent(bool current);

    // The picture around the light paints its cap, glow and label.
    void setPaintedByPicture(bool painted);

    QSize sizeHint() const override { return {32, 32}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    bool round_ = false;
    bool paintedByPicture_ = false;
    bool overlayOn_ = false;
    bool hovered_ = false;
    bool current_ = false;
    std::uint32_t colour_ = 0;
    std::uint8_t alpha_ = 0;
};

}  // namespace quillon::gui
