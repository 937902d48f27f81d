#pragma once

// Keeps one on-screen device picture in step with the mirror its generator
// writes. It polls the mirror at its own pace, only while the picture is on
// screen, and repaints only lights whose colour or alpha moved.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <vector>

#include "lighting/screen_mirror.h"

namespace quillon::gui {

class QtControl;

class PicturePreview : public QObject {
    Q_OBJECT

  public:
    static constexpr int kIntervalMs = 33;  // about 30 pictures a second

    // `lights[i]` shows mirror cell i; null entries (controls missing from
    // the skin) are skipped. `picture` is the widget whose visibility counts.
    PicturePreview(QWidget* picture, std::vector<QtControl*> lights,
                   const lighting::ScreenMirror& mirror, QObject* parent = nullptr);

    bool polling() const { return timer_.isActive(); }
    // One poll now (what the timer does).
    void refresh();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> picture_;
    std::vector<QtControl*> lights_;
    const lighting::ScreenMirror& mirror_;
    QTimer timer_;
    std::uint32_t seen_ = 0;
    bool everSeen_ = false;
};

}  // namespace quillon::gui
