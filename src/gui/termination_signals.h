#pragma once

// SIGTERM and SIGINT end the program the way the tray's exit does (workers
// stopped, the window closed) instead of killing it mid-write. The handler
// only writes a byte to a pipe; the event loop reads it and asks for the end.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace quillon::gui {

class TerminationSignals : public QObject {
    Q_OBJECT

  public:
    // At most one at a time; `requested` runs on the GUI thread.
    explicit TerminationSignals(std::function<void()> requested, QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool watching() const { return notifier_ != nullptr; }

  private:
    std::function<void()> requested_;
    QSocketNotifier* notifier_ = nullptr;
    int pipeEnds_[2] = {-1, -1};
};

}  // namespace quillon::gui
