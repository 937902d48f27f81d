#include "gui/termination_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>

namespace quillon::gui {

namespace {

// The write end for the handler; -1 while no watcher exists. A signal
// handler can reach nothing but a global, so this one is.
std::atomic<int> writeEnd{-1};

void onSignal(int) {
    const int saved = errno;
    const int fd = writeEnd.load();
    if (fd >= 0) {
        const char byte = 1;
        (void)!::write(fd, &byte, 1);  // a full pipe already holds a request
    }
    errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> requested, QObject* parent)
    : QObject(parent), requested_(std::move(requested)) {
    if (::pipe2(pipeEnds_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    writeEnd = pipeEnds_[1];
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    notifier_ = new QSocketNotifier(pipeEnds_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(pipeEnds_[0], bytes, sizeof bytes) > 0) {
        }
        if (requested_)
            requested_();
    });
}

TerminationSignals::~TerminationSignals() {
    if (notifier_ == nullptr)
        return;
    // Back to the default: a second signal during the last steps ends the process.
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    writeEnd = -1;
    ::close(pipeEnds_[0]);
    ::close(pipeEnds_[1]);
}

}  // namespace quillon::gui
