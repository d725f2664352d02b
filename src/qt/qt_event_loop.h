// The element model's event loop on top of Qt's timers.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>
#include <memory>

#include "ui/elements/event_loop.h"

namespace koropika {

// The element model's event loop on top of Qt's: repeating QTimers and posted tasks, all on the
// thread that runs the QApplication. Qt already fires an overdue timer once, not once per
// missed interval. Needs a QCoreApplication for its whole life.
//
// Posted tasks wait in a queue that a zero-interval timer runs: Qt runs the timers that are due
// in the order they fell due, so a tick that fell due while a task held the thread runs before
// the task that was posted after it, and a task posted while the queue runs waits for the next
// round of the event loop. (Qt's own queued calls run before the due timers of a round and let
// timers wait a round after they fired.)
class QtEventLoop final : public EventLoop {
  public:
    QtEventLoop();
    ~QtEventLoop() override;
    QtEventLoop(const QtEventLoop&) = delete;
    QtEventLoop& operator=(const QtEventLoop&) = delete;

    void stop(TimerId id) override;
    TimerId addTimer(std::function<void()> tick) override;
    void startTimer(TimerId id, int intervalMs) override;
    void startOnce(TimerId id, int intervalMs) override;
    void pauseTimer(TimerId id) override;
    void holdTimer(TimerId id) override;
    void resumeTimer(TimerId id) override;
    void post(std::function<void()> task) override;
    std::int64_t nowMs() const override { return clock_.elapsed(); }

  private:
    void runPosted();
    QTimer* timerOf(TimerId id) const;
    // The timer is started, paused or stopped: any hold of it is over.
    void forgetHold(TimerId id);

    // Parent of the timers and receiver of the queued calls: deleting it cancels them all.
    std::unique_ptr<QObject> context_;
    std::map<TimerId, QTimer*> timers_;
    // A held timer: the time that was left to its next tick, and how it ran.
    struct Held {
        int leftMs = 0;
        int intervalMs = 0;
        bool once = false;
    };
    std::map<TimerId, Held> held_;
    // Repeating timers resumed for the rest of their interval: their next tick starts them
    // again at the whole interval.
    std::map<TimerId, int> resumedIntervals_;
    QTimer* relay_ = nullptr;  // zero-interval, single shot: runs the tasks posted before it
    std::deque<std::function<void()>> posted_;
    TimerId nextId_ = 1;
    QElapsedTimer clock_;
};

}  // namespace koropika
