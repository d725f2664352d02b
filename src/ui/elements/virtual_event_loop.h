#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>

#include "ui/elements/event_loop.h"

namespace koropika {

// Virtual time for tests: nothing happens until the test advances the clock. `block` stands for
// a call that holds the thread (a sound playing): the clock moves on without running anything,
// and the ticks that fell due meanwhile fire once when the loop runs again.
class VirtualEventLoop final : public EventLoop {
  public:
    TimerId startRepeating(int intervalMs, std::function<void()> tick) override;
    void stop(TimerId id) override;
    void post(std::function<void()> task) override;
    std::int64_t nowMs() const override { return now_; }

    // Runs everything that is due now: posted tasks first, then overdue ticks, until none is left.
    void runPending();
    // Moves the clock on by `ms`, running every task and tick in time order on the way.
    void advance(std::int64_t ms);
    // Moves the clock on without running anything (the thread is busy).
    void block(std::int64_t ms) { now_ += ms; }

    std::size_t pendingTasks() const { return tasks_.size(); }
    std::size_t runningTimers() const { return timers_.size(); }

  private:
    struct Timer {
        std::int64_t intervalMs;
        std::int64_t due;
        std::function<void()> tick;
    };

    bool runOneTask();
    // The earliest due timer at or before `limit`, or 0 when none.
    TimerId earliestDue(std::int64_t limit) const;
    void fire(TimerId id);

    std::int64_t now_ = 0;
    TimerId nextId_ = 1;
    std::map<TimerId, Timer> timers_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace koropika
