#pragma once

// One on-screen device picture (the keyboard, a mouse, the mousepad): the
// widget that holds the picture's light controls and paints all of them
// itself from the mirror that the lighting generators write. It polls the
// mirror only while it is on screen, at most at the display's pace, and
// repaints only the lights whose colour or alpha moved; caps and labels come
// from cached images, so a frame costs a few fills and copies per light.
//
// The light controls (LightKey children, named by the skin) stay what the
// core finds and what the user clicks; they draw only their hover edge.

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "lighting/screen_mirror.h"

namespace quillon::gui {

class LightKey;

class DevicePicture : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kMaxIntervalMs = 33;  // no more than about 30 pictures a second

    explicit DevicePicture(QWidget* parent = nullptr);

    // `lights[i]` shows mirror cell i; null entries (controls missing from
    // the skin) are skipped. Hidden lights are neither drawn nor clickable.
    void bind(std::vector<LightKey*> lights, const lighting::ScreenMirror* mirror);

    // Called now and on every poll before the mirror is read; it may move or
    // hide lights (the keyboard picture follows the attached variant). Return
    // true when it did, so the cached images are drawn again.
    void setArrangement(std::function<bool()> arrange);

    bool polling() const { return timer_.isActive(); }
    // One poll now (what the timer does).
    void refresh();

    // What the picture shows for light i: the mirror cell of its last poll
    // (alpha 0 for lights that are not drawn).
    lighting::MirrorCell shownCell(std::size_t i) const;
    // How many paint events the picture has had (for tests and benchmarks).
    int paintCount() const { return paints_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void start();
    void rebuildImages();
    bool drawn(std::size_t i) const;

    std::vector<QPointer<LightKey>> lights_;
    std::vector<lighting::MirrorCell> shown_;
    const lighting::ScreenMirror* mirror_ = nullptr;
    std::function<bool()> arrange_;
    QTimer timer_;
    std::uint32_t seen_ = 0;
    bool everSeen_ = false;
    QPixmap caps_;  // unlit caps with their labels, the whole picture
    // The labels alone, transparent elsewhere, put back over a glow.
    QPixmap lightLabels_;
    QPixmap darkLabels_;  // labels for brightly lit caps, transparent elsewhere
    bool imagesValid_ = false;
    int paints_ = 0;
};

}  // namespace quillon::gui
