// The core's event loop over Qt: work from other threads runs on the GUI
// thread, timers coalesce, and senders are never stranded.

#include "gui/qt_event_loop.h"

#include <gtest/gtest.h>

#include <QTest>
#include <atomic>
#include <thread>

#include "link/stop_signal.h"
#include "qt_test_app.h"

namespace quillon::gui {
namespace {

using shell::TimerId;
using shell::TimerMode;
using namespace std::chrono_literals;

TEST(QtEventLoop, WorkPostedFromAWorkerRunsOnTheGuiThread) {
    test::app();
    QtEventLoop loop;
    std::atomic<bool> ranOnGui{false};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        EXPECT_FALSE(loop.isLoopThread());
        EXPECT_TRUE(loop.post([&] {
            ranOnGui = loop.isLoopThread();
            done = true;
        }));
    });
    worker.join();
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 2000));
    EXPECT_TRUE(ranOnGui);
}

TEST(QtEventLoop, SendAndWaitRunsTheWorkBeforeTheSenderGoesOn) {
    test::app();
    QtEventLoop loop;
    int value = 0;
    std::atomic<bool> sent{false};
    std::atomic<bool> senderSawIt{false};
    std::thread worker([&] {
        sent = loop.sendAndWait([&] { value = 42; });
        senderSawIt = value == 42;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return sent.load(); }, 2000));
    worker.join();
    EXPECT_TRUE(senderSawIt);
}

TEST(QtEventLoop, WorkStillQueuedWhenTheLoopEndsIsDroppedNotRun) {
    test::app();
    auto loop = std::make_unique<QtEventLoop>();
    // What a waiting sender's ticket does: it learns of the drop when the
    // queued work is destroyed without having run.
    struct Ticket {
        bool* dropped;
        bool ran = false;
        ~Ticket() { *dropped = !ran; }
    };
    bool dropped = false;
    auto ticket = std::make_shared<Ticket>(Ticket{&dropped});
    ASSERT_TRUE(loop->post([ticket] { ticket->ran = true; }));
    ticket.reset();
    loop.reset();  // no events were processed meanwhile
    EXPECT_TRUE(dropped);
}

TEST(QtEventLoop, NothingIsPostedAfterTheEnd) {
    test::app();
    QtEventLoop loop;
    loop.end();
    bool ran = false;
    EXPECT_FALSE(loop.post([&] { ran = true; }));
    QTest::qWait(20);
    EXPECT_FALSE(ran);
}

TEST(QtEventLoop, TwoStartsWithinTheIntervalFireOnce) {
    test::app();
    QtEventLoop loop;
    int fired = 0;
    loop.setTimerHandler([&](TimerId id) {
        EXPECT_EQ(id, TimerId::mouseSettingsReread);
        ++fired;
        loop.stopTimer(id);
    });
    loop.startTimer(TimerId::mouseSettingsReread, 50ms, TimerMode::once);
    QTest::qWait(20);
    loop.startTimer(TimerId::mouseSettingsReread, 50ms, TimerMode::once);
    EXPECT_TRUE(loop.timerActive(TimerId::mouseSettingsReread));
    QTest::qWait(200);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(loop.timerActive(TimerId::mouseSettingsReread));
}

TEST(QtEventLoop, TimersStartedByWorkersRunOnTheGuiThread) {
    test::app();
    QtEventLoop loop;
    std::atomic<int> fired{0};
    bool onGui = false;
    loop.setTimerHandler([&](TimerId) {
        onGui = loop.isLoopThread();
        ++fired;
    });
    std::thread worker([&] { loop.startTimer(TimerId::mouseStateReread, 10ms, TimerMode::once); });
    worker.join();
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired.load() == 1; }, 2000));
    EXPECT_TRUE(onGui);
    QTest::qWait(50);
    EXPECT_EQ(fired.load(), 1) << "a one-shot timer fires once";
}

TEST(QtEventLoop, ARepeatingTimerRepeatsUntilStopped) {
    test::app();
    QtEventLoop loop;
    int fired = 0;
    loop.setTimerHandler([&](TimerId) { ++fired; });
    loop.startTimer(TimerId::settingsFlush, 10ms, TimerMode::repeating);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired >= 3; }, 2000));
    loop.stopTimer(TimerId::settingsFlush);
    const int atStop = fired;
    QTest::qWait(50);
    EXPECT_EQ(fired, atStop);
}

}  // namespace
}  // namespace quillon::gui
