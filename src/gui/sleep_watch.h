#pragma once

// Tells the program when the system suspends and resumes (logind's
// PrepareForSleep signal on the system bus), so that no frames are sent to
// devices that are going to sleep.

#include <QObject>
#include <functional>

namespace quillon::gui {

class SleepWatch : public QObject {
    Q_OBJECT

  public:
    // `changed(true)` before suspend, `changed(false)` after resume.
    explicit SleepWatch(std::function<void(bool suspending)> changed, QObject* parent = nullptr);

    // False when there is no system bus or no logind; nothing is reported then.
    bool watching() const { return watching_; }

  private Q_SLOTS:
    void prepareForSleep(bool suspending);

  private:
    std::function<void(bool)> changed_;
    bool watching_ = false;
};

}  // namespace quillon::gui
