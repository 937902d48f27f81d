#pragma once

// The colour overlay of an ordinary control: a child that covers its parent,
// tints it with a colour at an alpha and lets the mouse through.

#include <QWidget>
#include <cstdint>

namespace quillon::gui {

class ColourOverlay : public QWidget {
    Q_OBJECT

  public:
    explicit ColourOverlay(QWidget* parent);

    void setOverlay(std::uint32_t gbr, std::uint8_t alpha);
    std::uint32_t colour() const { return colour_; }
    std::uint8_t alpha() const { return alpha_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    std::uint32_t colour_ = 0;
    std::uint8_t alpha_ = 0;
};

}  // namespace quillon::gui
