#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

#include "ui/elements/event_loop.h"

namespace koropika {

// The element model's event loop on top of Qt's: repeating QTimers and queued calls, all on
// the thread that runs the QApplication. Qt already fires an overdue timer once, not once per
// missed interval. Needs a QCoreApplication for its whole life.
class QtEventLoop final : public EventLoop {
  public:
    QtEventLoop();
    ~QtEventLoop() override;
    QtEventLoop(const QtEventLoop&) = delete;
    QtEventLoop& operator=(const QtEventLoop&) = delete;

    TimerId startRepeating(int intervalMs, std::function<void()> tick) override;
    void stop(TimerId id) override;
    void post(std::function<void()> task) override;
    std::int64_t nowMs() const override { return clock_.elapsed(); }

  private:
    // Parent of the timers and receiver of the queued calls: deleting it cancels them all.
    std::unique_ptr<QObject> context_;
    std::map<TimerId, QTimer*> timers_;
    TimerId nextId_ = 1;
    QElapsedTimer clock_;
};

}  // namespace koropika
